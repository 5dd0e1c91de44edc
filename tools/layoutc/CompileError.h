// A fault in the layout source, reported as file:line: message.
#pragma once

#include <stdexcept>
#include <string>

class CompileError : public std::runtime_error {
public:
    CompileError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}

    int line() const { return line_; }

private:
    int line_;
};
