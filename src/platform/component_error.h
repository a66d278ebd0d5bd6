// A structured error as the system's classes raise it: a number, a source
// ("<program>.<Class>.<operation>") and a description. Classes that wrap an
// underlying failure build the description with ComponentError::Wrap.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>

class ComponentError : public std::runtime_error {
public:
    ComponentError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          m_number(number),
          m_source(std::move(source)),
          m_description(std::move(description)) {}

    int32_t number() const { return m_number; }
    const std::string& source() const { return m_source; }
    const std::string& description() const { return m_description; }

    // "<sentence>\r\n\r\n<number>: <description>\r\nOn line: <line>"
    static std::string Wrap(const std::string& sentence, int32_t innerNumber,
                            const std::string& innerDescription, int line) {
        return sentence + "\r\n\r\n" + std::to_string(innerNumber) + ": " + innerDescription +
               "\r\nOn line: " + std::to_string(line);
    }

private:
    int32_t m_number;
    std::string m_source;
    std::string m_description;
};

// The name of the running program without directory, the first part of an
// error's source.
inline std::string ProgramName() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "qinghefang-browser";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
