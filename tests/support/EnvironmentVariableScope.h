#pragma once
// Sets (or unsets) an environment variable for as long as it lives, then puts it back.
//
//   ov::test::EnvironmentVariableScope locale("LC_ALL", "en_US.UTF-8");

#include <cstdlib>
#include <optional>
#include <string>

namespace ov::test {

class EnvironmentVariableScope {
  public:
    EnvironmentVariableScope(const char* name, const std::optional<std::string>& value)
        : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        set(value);
    }
    ~EnvironmentVariableScope() { set(m_old); }
    EnvironmentVariableScope(const EnvironmentVariableScope&) = delete;
    EnvironmentVariableScope& operator=(const EnvironmentVariableScope&) = delete;

    void set(const std::optional<std::string>& value) const {
        value ? ::setenv(m_name.c_str(), value->c_str(), 1) : ::unsetenv(m_name.c_str());
    }

  private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace ov::test
