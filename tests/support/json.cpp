#include "support/json.h"

#include <cstdlib>

namespace testsupport {
namespace {

class Reader {
  public:
    explicit Reader(const std::string &t) : t_(t) {}

    bool document(Json &out)
    {
        if (!value(out)) return false;
        space();
        return pos_ == t_.size() || fault("text after the value");
    }

    std::string error;

  private:
    const std::string &t_;
    size_t pos_ = 0;

    bool fault(const char *why)
    {
        error = std::string(why) + " at offset " + std::to_string(pos_);
        return false;
    }
    void space()
    {
        while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\n' || t_[pos_] == '\r' || t_[pos_] == '\t'))
            ++pos_;
    }
    bool literal(const char *word)
    {
        std::string w = word;
        if (t_.compare(pos_, w.size(), w) != 0) return fault("unknown word");
        pos_ += w.size();
        return true;
    }
    bool value(Json &out)
    {
        space();
        if (pos_ >= t_.size()) return fault("a value is missing");
        char c = t_[pos_];
        if (c == '{') return object(out);
        if (c == '[') return array(out);
        if (c == '"') return out.type = Json::Type::String, string(out.string);
        if (c == 't') return out.type = Json::Type::Bool, out.boolean = true, literal("true");
        if (c == 'f') return out.type = Json::Type::Bool, literal("false");
        if (c == 'n') return literal("null");
        const char *start = t_.c_str() + pos_;
        char *end;
        out.number = std::strtod(start, &end);
        if (end == start) return fault("not a value");
        pos_ += static_cast<size_t>(end - start);
        out.type = Json::Type::Number;
        return true;
    }
    bool array(Json &out)
    {
        out.type = Json::Type::Array;
        ++pos_;
        space();
        if (pos_ < t_.size() && t_[pos_] == ']') return ++pos_, true;
        for (;;) {
            out.array.emplace_back();
            if (!value(out.array.back())) return false;
            space();
            if (pos_ >= t_.size()) return fault("unclosed array");
            if (t_[pos_++] == ']') return true;
            if (t_[pos_ - 1] != ',') return fault("a comma is missing");
        }
    }
    bool object(Json &out)
    {
        out.type = Json::Type::Object;
        ++pos_;
        space();
        if (pos_ < t_.size() && t_[pos_] == '}') return ++pos_, true;
        for (;;) {
            space();
            std::string key;
            if (pos_ >= t_.size() || t_[pos_] != '"' || !string(key)) return fault("a key is missing");
            space();
            if (pos_ >= t_.size() || t_[pos_++] != ':') return fault("a colon is missing");
            if (out.object.count(key)) return fault("a key repeats");
            if (!value(out.object[key])) return false;
            space();
            if (pos_ >= t_.size()) return fault("unclosed object");
            if (t_[pos_++] == '}') return true;
            if (t_[pos_ - 1] != ',') return fault("a comma is missing");
        }
    }
    static void utf8(unsigned code, std::string &out)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    bool string(std::string &out)
    {
        ++pos_;
        while (pos_ < t_.size() && t_[pos_] != '"') {
            auto c = static_cast<unsigned char>(t_[pos_++]);
            if (c < 0x20) return fault("a raw control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (pos_ >= t_.size()) break;
            char e = t_[pos_++];
            const std::string plain = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
            if (size_t i = plain.find(e); i != std::string::npos) {
                out += meant[i];
            } else if (e == 'u' && pos_ + 4 <= t_.size()) {
                char *end;
                std::string hex = t_.substr(pos_, 4);
                unsigned code = static_cast<unsigned>(std::strtoul(hex.c_str(), &end, 16));
                if (*end) return fault("a bad \\u escape");
                utf8(code, out);
                pos_ += 4;
            } else {
                return fault("a bad escape");
            }
        }
        if (pos_ >= t_.size()) return fault("unclosed string");
        ++pos_;
        return true;
    }
};

}   // namespace

const Json &Json::operator[](const std::string &key) const
{
    static const Json none;
    auto it = object.find(key);
    return it == object.end() ? none : it->second;
}

bool parse_json(const std::string &text, Json &out, std::string *error)
{
    Reader r(text);
    out = Json{};
    if (r.document(out)) return true;
    if (error) *error = r.error;
    return false;
}

}   // namespace testsupport
