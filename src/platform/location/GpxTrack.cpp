#include "orvane/platform/location/GpxTrack.h"

#include <charconv>
#include <chrono>

#include "orvane/platform/files/FileManager.h"

namespace ov {

namespace {

// The platform's codes for a file that is missing and one that cannot be understood.
constexpr long long kFileReadNoSuchFileError = 260;
constexpr long long kFileReadCorruptFileError = 259;

// The value of attribute `name` inside one start tag, quoted either way.
std::optional<std::string_view> attribute(std::string_view tag, std::string_view name) {
    for (size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        const bool startsWord = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' ||
                                           tag[at - 1] == '\n' || tag[at - 1] == '\r');
        size_t cursor = at + name.size();
        while (cursor < tag.size() && tag[cursor] == ' ')
            ++cursor;
        if (!startsWord || cursor >= tag.size() || tag[cursor] != '=') continue;
        ++cursor;
        while (cursor < tag.size() && tag[cursor] == ' ')
            ++cursor;
        if (cursor >= tag.size() || (tag[cursor] != '"' && tag[cursor] != '\'')) continue;
        const size_t close = tag.find(tag[cursor], cursor + 1);
        if (close == std::string_view::npos) return std::nullopt;
        return tag.substr(cursor + 1, close - cursor - 1);
    }
    return std::nullopt;
}

std::optional<double> number(std::optional<std::string_view> text) {
    if (!text || text->empty()) return std::nullopt;
    double value = 0.0;
    const char* end = text->data() + text->size();
    const auto [last, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || last != end) return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The text of the first <time> element in a track point's body.
std::optional<double> timeIn(std::string_view body) {
    const size_t open = body.find("<time>");
    if (open == std::string_view::npos) return std::nullopt;
    const size_t start = open + 6;
    const size_t close = body.find("</time>", start);
    if (close == std::string_view::npos) return std::nullopt;
    return parseIso8601(trimmed(body.substr(start, close - start)));
}

// Reads a fixed number of digits at `cursor`, moving past them.
std::optional<int> digits(std::string_view text, size_t& cursor, size_t count) {
    if (cursor + count > text.size()) return std::nullopt;
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        const char c = text[cursor + i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    cursor += count;
    return value;
}

bool expect(std::string_view text, size_t& cursor, char c) {
    if (cursor >= text.size() || text[cursor] != c) return false;
    ++cursor;
    return true;
}

// "Z", "+03:00", "-0530" or nothing (UTC): seconds east of UTC.
std::optional<int> zoneOffset(std::string_view text, size_t& cursor) {
    if (cursor == text.size()) return 0;
    if (text[cursor] == 'Z' || text[cursor] == 'z') return ++cursor, 0;
    if (text[cursor] != '+' && text[cursor] != '-') return std::nullopt;
    const int sign = text[cursor++] == '-' ? -1 : 1;
    const auto hours = digits(text, cursor, 2);
    if (cursor < text.size() && text[cursor] == ':') ++cursor;
    const auto minutes = digits(text, cursor, 2);
    if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
    return sign * (*hours * 3600 + *minutes * 60);
}

}  // namespace

std::optional<double> parseIso8601(std::string_view text) {
    size_t cursor = 0;
    const auto year = digits(text, cursor, 4);
    if (!year || !expect(text, cursor, '-')) return std::nullopt;
    const auto month = digits(text, cursor, 2);
    if (!month || !expect(text, cursor, '-')) return std::nullopt;
    const auto day = digits(text, cursor, 2);
    if (!day || !(expect(text, cursor, 'T') || expect(text, cursor, ' '))) return std::nullopt;
    const auto hour = digits(text, cursor, 2);
    if (!hour || !expect(text, cursor, ':')) return std::nullopt;
    const auto minute = digits(text, cursor, 2);
    if (!minute || !expect(text, cursor, ':')) return std::nullopt;
    const auto second = digits(text, cursor, 2);
    if (!second || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
    double fraction = 0.0;
    if (cursor < text.size() && text[cursor] == '.') {
        double scale = 0.1;
        for (++cursor; cursor < text.size() && text[cursor] >= '0' && text[cursor] <= '9';
             ++cursor, scale /= 10) {
            fraction += (text[cursor] - '0') * scale;
        }
    }
    const auto offset = zoneOffset(text, cursor);
    if (!offset || cursor != text.size()) return std::nullopt;

    using namespace std::chrono;
    const year_month_day date{std::chrono::year(*year), std::chrono::month(unsigned(*month)),
                              std::chrono::day(unsigned(*day))};
    if (!date.ok()) return std::nullopt;
    const double days = sys_days(date).time_since_epoch().count();
    const double unix = days * 86400.0 + *hour * 3600 + *minute * 60 + *second + fraction - *offset;
    return unix - kTimeIntervalBetween1970AndReferenceDate;
}

std::vector<TrackPoint> parseGpxTrack(std::string_view gpx) {
    std::vector<TrackPoint> points;
    size_t cursor = 0;
    while ((cursor = gpx.find("<trkpt", cursor)) != std::string_view::npos) {
        const size_t tagEnd = gpx.find('>', cursor);
        if (tagEnd == std::string_view::npos) break;
        const std::string_view tag = gpx.substr(cursor, tagEnd - cursor + 1);
        const bool selfClosing = tagEnd > cursor && gpx[tagEnd - 1] == '/';
        size_t bodyEnd = selfClosing ? tagEnd : gpx.find("</trkpt>", tagEnd);
        if (bodyEnd == std::string_view::npos) bodyEnd = gpx.size();
        const std::string_view body = gpx.substr(tagEnd + 1, bodyEnd - tagEnd - 1);
        cursor = bodyEnd;

        const auto latitude = number(attribute(tag, "lat"));
        const auto longitude = number(attribute(tag, "lon"));
        if (!latitude || !longitude) continue;
        const LocationCoordinate2D coordinate{*latitude, *longitude};
        if (!isValidCoordinate(coordinate)) continue;
        points.push_back({coordinate, selfClosing ? std::nullopt : timeIn(body)});
    }
    return points;
}

Result<std::vector<TrackPoint>> loadGpxTrack(const String& path) {
    const std::optional<Data> contents = FileManager::defaultManager().contentsAtPath(path);
    if (!contents) {
        return Error(NSCocoaErrorDomain, kFileReadNoSuchFileError,
                     Dictionary{{NSLocalizedDescriptionKey, "the GPX file cannot be read"}});
    }
    auto points = parseGpxTrack(contents->view());
    if (points.empty()) {
        return Error(NSCocoaErrorDomain, kFileReadCorruptFileError,
                     Dictionary{{NSLocalizedDescriptionKey, "the GPX file holds no track point"}});
    }
    return points;
}

}  // namespace ov
