// Reading automation script lines into steps.
#include "testing/script_steps.h"

#include "kernel32/codepage.h"
#include "testing/key_names.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace script {
namespace {

// What follows a step's name. Free text runs to the end of the line, so only
// steps without it may carry a trailing comment.
enum class Args { None, Number, TwoNumbers, ThreeNumbers, KeyName, Text, OptionalText, NumberThenText };

struct StepKind {
    const char *name;
    Op op;
    Args args;
};
const StepKind stepKinds[] = {
    {"menu", Op::Menu, Args::Text},
    {"click", Op::Click, Args::Number},
    {"clickat", Op::ClickAt, Args::TwoNumbers},
    {"doubleclick", Op::DoubleClick, Args::Number},
    {"drag", Op::Drag, Args::ThreeNumbers},
    {"select", Op::Select, Args::TwoNumbers},
    {"key", Op::Key, Args::KeyName},
    {"type", Op::Type, Args::Text},
    {"close", Op::Close, Args::None},
    {"wait", Op::Wait, Args::Number},
    {"screenshot", Op::Screenshot, Args::Text},
    {"dump", Op::Dump, Args::Text},
    {"expect-window", Op::ExpectWindow, Args::OptionalText},
    {"expect-text", Op::ExpectText, Args::NumberThenText},
    {"deactivate", Op::Deactivate, Args::None},
    {"activate", Op::Activate, Args::None},
};

bool number(std::istringstream &in, long &out)
{
    std::string tok;
    if (!(in >> tok)) return false;
    char *end;
    errno = 0;
    out = std::strtol(tok.c_str(), &end, 10);
    return *end == 0 && errno == 0;
}

// Nothing but a comment may follow the arguments.
bool only_comment_left(std::istringstream &in)
{
    std::string tok;
    return !(in >> tok) || tok[0] == '#';
}

// A key by its name, or a single character by the key that types it.
bool key_by_name(const std::string &name, const Host &host, Step &step)
{
    if (name.size() != 1) return virtual_key_named(name, step.vk);
    if (!host.keyForCharacter(name[0], step.vk, step.shift)) return false;
    step.ch = name[0];
    return true;
}

}   // namespace

bool parse_step(const std::string &line, const Host &host, Step &step, std::string &why)
{
    std::istringstream in(line);
    std::string name;
    in >> name;
    const StepKind *kind = nullptr;
    for (const StepKind &k : stepKinds)
        if (name == k.name) kind = &k;
    if (!kind) return why = "unknown step \"" + name + "\"", false;
    step.op = kind->op;
    // Free text starts after the one blank that ends the step's name.
    auto rest_of_line = [&] {
        std::string rest;
        std::getline(in, rest);
        return rest.empty() ? rest : rest.substr(1);
    };
    switch (kind->args) {
    case Args::None:
        break;
    case Args::Number:
        if (!number(in, step.a)) return why = "a number must follow", false;
        if (step.op == Op::Wait && step.a < 0) return why = "a time cannot be negative", false;
        break;
    case Args::TwoNumbers:
        if (!number(in, step.a) || !number(in, step.b)) return why = "two numbers must follow", false;
        break;
    case Args::ThreeNumbers:
        if (!number(in, step.a) || !number(in, step.b) || !number(in, step.c))
            return why = "three numbers must follow", false;
        break;
    case Args::KeyName: {
        std::string key;
        in >> key;
        if (!key_by_name(key, host, step)) return why = "no key is named \"" + key + "\"", false;
        break;
    }
    case Args::Text:
    case Args::OptionalText:
        step.text = rest_of_line();
        if (step.text.empty() && kind->args == Args::Text) return why = "text must follow", false;
        // Scripts are UTF-8; the program's texts Windows-1252. Paths stay as written.
        if (step.op == Op::Screenshot || step.op == Op::Dump) step.text = host.pathFromStart(step.text);
        else step.text = kernel32::ansi_of_utf8(step.text);
        return true;
    case Args::NumberThenText:
        if (!number(in, step.a)) return why = "a control id must follow", false;
        step.text = kernel32::ansi_of_utf8(rest_of_line());
        return true;
    }
    if (!only_comment_left(in)) return why = "too many arguments", false;
    return true;
}

bool load_steps(const std::string &path, const Host &host, std::vector<Step> &steps)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "script %s: cannot be read\n", path.c_str());
        return false;
    }
    std::string line;
    for (int n = 1; std::getline(file, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        Step step;
        step.line = n;
        step.source = line;
        std::string why;
        if (!parse_step(line.substr(start), host, step, why)) {
            std::fprintf(stderr, "script %s:%d: %s\n  %s\n", path.c_str(), n, line.c_str(), why.c_str());
            return false;
        }
        steps.push_back(std::move(step));
    }
    return true;
}

}   // namespace script
