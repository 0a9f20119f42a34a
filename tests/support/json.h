// A small JSON reader for tests that check what the layer writes (the window
// dump of automation scripts). Strings come back as UTF-8; numbers as double.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;

    // A member of an object (a Null value when missing).
    const Json &operator[](const std::string &key) const;
    bool has(const std::string &key) const { return object.count(key) != 0; }
    long long integer() const { return static_cast<long long>(number); }
};

// The whole text as one value; false with the offset and reason of the first
// fault (trailing text included).
bool parse_json(const std::string &text, Json &out, std::string *error);

}   // namespace testsupport
