#include "orvane/core/HKLog.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "orvane/platform/time/DateFormatter.h"
#include "orvane/platform/values/Date.h"

namespace ov {

namespace {

constexpr std::string_view kColorStart = "\x1B[";
constexpr std::string_view kColorReset = "\x1B[;";

struct LevelStyle {
    const char* color;
    const char* name;
};

// Indexed by level; anything outside (negative levels too) takes kOtherLevel.
constexpr std::array<LevelStyle, 8> kLevels{{
    {"", ""},
    {"fg200,200,200;", "VERBOSE"},
    {"fg0,0,255;", "DEBUG"},
    {"fg0,255,0;", "INFO"},
    {"fg255,255,0;", "WARNING"},
    {"fg255,0,0;", "ERROR"},
    {"fg214,57,30;", "ALTERNATIVE"},
    {"fg0,255,255;", "OPTIONAL"},
}};
constexpr LevelStyle kOtherLevel{"fg200,200,200;", ""};

const LevelStyle& styleFor(int32_t level) {
    const auto index = static_cast<uint32_t>(level);
    return index < kLevels.size() ? kLevels[index] : kOtherLevel;
}

bool endsWith(const std::string& text, char last) {
    return !text.empty() && text.back() == last;
}

void addSeparatorSpace(std::string& body) {
    if (!body.empty() && body.back() != ' ') body += ' ';
}

// One formatter per thread stands in for a new one per line: a formatter without its own
// locale and zone rebuilds itself when the current ones change, so the text is the same.
String localTimeStamp() {
    thread_local DateFormatter formatter = [] {
        DateFormatter made;
        made.setDateFormat("yyyy-MM-dd HH:mm:ss.SSS");
        return made;
    }();
    return formatter.stringFromDate(Date::now());
}

// The last path component without trailing slashes ("/" stays "/"), cut at its first ".".
std::string shortFileName(const std::string& path) {
    size_t end = path.find_last_not_of('/');
    if (end == std::string::npos) return path.empty() ? "" : "/";
    const size_t slash = path.rfind('/', end);
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    std::string name = path.substr(start, end + 1 - start);
    return name.substr(0, name.find('.'));
}

// Regular-expression "\s": tab, line feed, form feed, carriage return and the Unicode separators.
bool isWhiteSpace(char16_t unit) {
    switch (unit) {
        case u'\t':
        case u'\n':
        case u'\f':
        case u'\r':
        case u' ':
        case 0x00A0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return unit >= 0x2000 && unit <= 0x200A;
    }
}

// "-[HKLog init]" gives "init": the text after the first white space, less a closing "]".
std::string shortFunctionName(const String& function) {
    const std::u16string_view units = function.utf16();
    const auto space = std::find_if(units.begin(), units.end(), isWhiteSpace);
    std::u16string_view name =
        space == units.end() ? units : units.substr(space + 1 - units.begin());
    if (name.ends_with(u']')) name.remove_suffix(1);
    return String(name).toUtf8();
}

void writeWhole(int descriptor, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(descriptor, text.data() + written, text.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return;
        written += static_cast<size_t>(result);
    }
}

}  // namespace

HKLog::HKLog() : m_outputDescriptor(STDOUT_FILENO) {}

HKLog& HKLog::sharedInstance() {
    static HKLog* const instance = new HKLog();  // never destroyed: threads may log at exit
    return *instance;
}

std::pair<String, String> HKLog::strTypeDebug(int32_t level) const {
    const LevelStyle& style = styleFor(level);
    return {style.color, style.name};
}

void HKLog::messageLog(int32_t level, const String& file, const String& function, ssize_t line,
                       const String& message) {
    // One reading of each switch, so a line is consistent while another thread flips them.
    const bool fullColor = m_fullColor.load(std::memory_order_relaxed);
    const bool showDate = m_showDate.load(std::memory_order_relaxed);
    const bool showFile = m_showFile.load(std::memory_order_relaxed);
    const bool showFunction = m_showFunction.load(std::memory_order_relaxed);
    const bool showLine = m_showLine.load(std::memory_order_relaxed);
    const LevelStyle& style = styleFor(level);

    std::string body;
    if (showDate) body += localTimeStamp().toUtf8() + ' ';
    if (showFile) {
        addSeparatorSpace(body);
        body += shortFileName(file.toUtf8());
    }
    if (showFunction) {
        if (!endsWith(body, ' ') && showFile) body += '.';
        body += shortFunctionName(function);
    }
    if (showLine) {
        const std::string number = std::to_string(line);
        if (!showFunction && !showFile) {
            body += "L:" + number;
        } else {
            body += endsWith(body, ':') ? number : ':' + number;
        }
    }
    if (*style.name && !fullColor) {
        addSeparatorSpace(body);
        body.append(kColorStart).append(style.color).append(style.name).append(kColorReset);
        body += ':';
    }
    addSeparatorSpace(body);

    std::string text;
    if (fullColor) text.append(kColorStart).append(style.color);
    text += body;
    text += message.toUtf8();
    if (fullColor) text += kColorReset;
    // The line goes out as a C string: a NUL in the message ends it there.
    text.erase(std::min(text.find('\0'), text.size()));
    text += '\n';

    const int descriptor = m_outputDescriptor.load(std::memory_order_relaxed);
    // Keeps the order with whatever the host printed through stdio before.
    if (descriptor == STDOUT_FILENO) std::fflush(stdout);
    writeWhole(descriptor, text);
}

}  // namespace ov
