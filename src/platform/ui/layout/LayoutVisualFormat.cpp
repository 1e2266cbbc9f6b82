// The visual format language:
//
//   format     := (("H" | "V") ":")? ("|" connection)? view (connection view)* (connection "|")?
//   view       := "[" name ("(" predicate ("," predicate)* ")")? "]"
//   connection := "" | "-" | "-" (number | metric | "(" predicate ("," predicate)* ")") "-"
//   predicate  := ("==" | "<=" | ">=")? (number | metric | view name) ("@" (number | metric))?
//
// A view name in a predicate is allowed only inside a view, where it relates the two sizes.
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {
namespace {

constexpr double kSiblingSpacing = 8;
constexpr double kSuperitemSpacing = 20;

struct Predicate {
    LayoutRelation relation = LayoutRelation::equal;
    double constant = 0;
    LayoutItem* item = nullptr;  // set: the sizes of two views
    LayoutPriority priority = UILayoutPriorityRequired;
};

// A connection whose spacing is left to the standard one says so with no predicates.
struct Connection {
    std::vector<Predicate> predicates;
    bool standard = false;
};

struct Element {
    LayoutItem* item;
    std::vector<Predicate> size;
};

struct Parsed {
    bool vertical = false;
    std::optional<Connection> leadingEdge;  // "|" then this, when present
    std::vector<Element> views;
    std::vector<Connection> between;         // between.size() == views.size() - 1
    std::optional<Connection> trailingEdge;  // this then "|", when present
};

class Parser {
  public:
    Parser(std::string_view format, const LayoutConstraint::Metrics& metrics,
           const LayoutConstraint::Views& views)
        : m_format(format), m_metrics(metrics), m_views(views) {}

    std::optional<Parsed> parse();
    // The reason the last parse failed and where.
    const std::string& error() const { return m_error; }
    size_t errorPosition() const { return m_position; }

  private:
    bool fail(std::string reason) {
        if (m_error.empty()) m_error = std::move(reason);
        return false;
    }
    bool atEnd() const { return m_position >= m_format.size(); }
    char peek() const { return atEnd() ? '\0' : m_format[m_position]; }
    bool accept(char c) {
        if (peek() != c) return false;
        ++m_position;
        return true;
    }
    bool expect(char c) { return accept(c) || fail(std::string("Expected '") + c + "'"); }
    std::string name();
    std::optional<double> number();
    std::optional<double> metricOrNumber();
    bool view(Element& element);
    bool connection(Connection& connection);
    bool predicateList(std::vector<Predicate>& predicates, bool allowViews);
    bool predicate(Predicate& predicate, bool allowViews);

    std::string_view m_format;
    const LayoutConstraint::Metrics& m_metrics;
    const LayoutConstraint::Views& m_views;
    size_t m_position = 0;
    std::string m_error;
};

std::string Parser::name() {
    const size_t start = m_position;
    if (std::isalpha(static_cast<unsigned char>(peek())) || peek() == '_') {
        while (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '_')
            ++m_position;
    }
    return std::string(m_format.substr(start, m_position - start));
}

std::optional<double> Parser::number() {
    const size_t start = m_position;
    accept('-');
    while (std::isdigit(static_cast<unsigned char>(peek())) || peek() == '.')
        ++m_position;
    const std::string text(m_format.substr(start, m_position - start));
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        m_position = start;
        return std::nullopt;
    }
    return value;
}

std::optional<double> Parser::metricOrNumber() {
    if (auto value = number()) return value;
    const size_t start = m_position;
    const std::string metric = name();
    auto it = m_metrics.find(metric);
    if (it != m_metrics.end()) return it->second;
    m_position = start;
    fail(metric.empty() ? "Expected a number or a metric name"
                        : metric + " is not a key in the metrics dictionary");
    return std::nullopt;
}

bool Parser::predicate(Predicate& predicate, bool allowViews) {
    static constexpr std::pair<const char*, LayoutRelation> kRelations[] = {
        {"==", LayoutRelation::equal},
        {"<=", LayoutRelation::lessThanOrEqual},
        {">=", LayoutRelation::greaterThanOrEqual}};
    for (auto [text, relation] : kRelations) {
        if (m_format.substr(m_position, 2) == text) {
            predicate.relation = relation;
            m_position += 2;
            break;
        }
    }
    const size_t start = m_position;
    if (auto value = number()) {
        predicate.constant = *value;
    } else if (const std::string object = name(); allowViews && m_views.count(object)) {
        predicate.item = m_views.find(object)->second;
    } else {
        m_position = start;
        if (auto metric = metricOrNumber())
            predicate.constant = *metric;
        else
            return false;
    }
    if (accept('@')) {
        auto priority = metricOrNumber();
        if (!priority) return false;
        predicate.priority = static_cast<LayoutPriority>(*priority);
    }
    return true;
}

bool Parser::predicateList(std::vector<Predicate>& predicates, bool allowViews) {
    do {
        predicates.emplace_back();
        if (!predicate(predicates.back(), allowViews)) return false;
    } while (accept(','));
    return expect(')');
}

bool Parser::view(Element& element) {
    if (!expect('[')) return false;
    const size_t start = m_position;
    const std::string viewName = name();
    auto it = m_views.find(viewName);
    if (it == m_views.end() || !it->second) {
        m_position = start;
        return fail(viewName + " is not a key in the views dictionary");
    }
    element.item = it->second;
    if (accept('(') && !predicateList(element.size, true)) return false;
    return expect(']');
}

// Called after a view or an edge; an absent connection is a flush one.
bool Parser::connection(Connection& connection) {
    if (!accept('-')) {
        connection.predicates.push_back({});
        return true;
    }
    if (peek() == '[' || peek() == '|') {
        connection.standard = true;
        return true;
    }
    if (accept('(')) {
        if (!predicateList(connection.predicates, false)) return false;
    } else {
        auto value = metricOrNumber();
        if (!value) return false;
        connection.predicates.push_back({.constant = *value});
    }
    return expect('-');
}

std::optional<Parsed> Parser::parse() {
    Parsed parsed;
    if (m_format.substr(0, 2) == "H:" || m_format.substr(0, 2) == "V:") {
        parsed.vertical = m_format[0] == 'V';
        m_position = 2;
    }
    if (accept('|')) {
        parsed.leadingEdge.emplace();
        if (!connection(*parsed.leadingEdge)) return std::nullopt;
    }
    for (;;) {
        parsed.views.emplace_back();
        if (!view(parsed.views.back())) return std::nullopt;
        if (atEnd()) break;
        Connection next;
        if (!connection(next)) return std::nullopt;
        if (accept('|')) {
            parsed.trailingEdge = std::move(next);
            break;
        }
        parsed.between.push_back(std::move(next));
    }
    if (!atEnd()) return fail("Expected the end of the format"), std::nullopt;
    return parsed;
}

// Turns the parsed format into constraints.
class Builder {
  public:
    Builder(const Parsed& parsed, LayoutItem* superitem)
        : m_superitem(superitem),
          m_leading(parsed.vertical ? LayoutAttribute::top : LayoutAttribute::leading),
          m_trailing(parsed.vertical ? LayoutAttribute::bottom : LayoutAttribute::trailing),
          m_size(parsed.vertical ? LayoutAttribute::height : LayoutAttribute::width) {}

    // later.leading relation earlier.trailing + spacing; an edge stands for the superitem's
    // own leading or trailing side.
    void connect(const Connection& connection, LayoutItem* earlier, LayoutItem* later) {
        const bool edge = earlier == m_superitem || later == m_superitem;
        const auto earlierSide = earlier == m_superitem ? m_leading : m_trailing;
        const auto laterSide = later == m_superitem ? m_trailing : m_leading;
        if (connection.standard) {
            add(later, laterSide, {.constant = edge ? kSuperitemSpacing : kSiblingSpacing}, earlier,
                earlierSide);
        }
        for (const Predicate& predicate : connection.predicates)
            add(later, laterSide, predicate, earlier, earlierSide);
    }

    void size(const Element& element) {
        for (const Predicate& predicate : element.size) {
            if (predicate.item)
                add(element.item, m_size, predicate, predicate.item, m_size);
            else
                add(element.item, m_size, predicate, nullptr, LayoutAttribute::notAnAttribute);
        }
    }

    void align(const Parsed& parsed, LayoutFormatOptions options) {
        for (int bit = 1; bit <= static_cast<int>(LayoutAttribute::centerY); ++bit) {
            if (!(options & (1UL << bit))) continue;
            for (size_t i = 1; i < parsed.views.size(); ++i) {
                const auto attribute = static_cast<LayoutAttribute>(bit);
                add(parsed.views[i].item, attribute, {}, parsed.views[i - 1].item, attribute);
            }
        }
    }

    LayoutConstraint::List take() { return std::move(m_constraints); }

  private:
    void add(LayoutItem* first, LayoutAttribute firstAttribute, const Predicate& predicate,
             LayoutItem* second, LayoutAttribute secondAttribute) {
        auto constraint =
            LayoutConstraint::constraintWithItem(first, firstAttribute, predicate.relation, second,
                                                 secondAttribute, 1, predicate.constant);
        if (!constraint) return;
        constraint->setPriority(predicate.priority);
        m_constraints.push_back(std::move(constraint));
    }

    LayoutItem* m_superitem;
    LayoutAttribute m_leading, m_trailing, m_size;
    LayoutConstraint::List m_constraints;
};

// Alignment must run across the format's direction: a horizontal row aligns tops, not lefts.
bool alignsAcross(bool vertical, LayoutFormatOptions options) {
    constexpr LayoutFormatOptions kHorizontal =
        NSLayoutFormatAlignAllLeft | NSLayoutFormatAlignAllRight | NSLayoutFormatAlignAllLeading |
        NSLayoutFormatAlignAllTrailing | NSLayoutFormatAlignAllCenterX;
    constexpr LayoutFormatOptions kVertical =
        NSLayoutFormatAlignAllTop | NSLayoutFormatAlignAllBottom | NSLayoutFormatAlignAllCenterY;
    return !(options & (vertical ? kVertical : kHorizontal));
}

void logParseError(std::string_view format, const std::string& reason, size_t position) {
    systemLog("Unable to parse constraint format: \n%s \n%s \n%s^", reason.c_str(),
              std::string(format).c_str(), std::string(position, ' ').c_str());
}

}  // namespace

LayoutConstraint::List LayoutConstraint::constraintsWithVisualFormat(std::string_view format,
                                                                     LayoutFormatOptions opts,
                                                                     const Metrics& metrics,
                                                                     const Views& views) {
    Parser parser(format, metrics, views);
    const auto parsed = parser.parse();
    if (!parsed) {
        logParseError(format, parser.error(), parser.errorPosition());
        return {};
    }
    if (!alignsAcross(parsed->vertical, opts)) {
        logParseError(format,
                      "Options mask required views to be aligned on a horizontal edge, "
                      "which is not allowed for layout that is also horizontal",
                      0);
        return {};
    }
    LayoutItem* superitem = parsed->views.front().item->layoutSuperitem();
    if ((parsed->leadingEdge || parsed->trailingEdge) && !superitem) {
        logParseError(format,
                      "Unable to interpret '|' character, because the related view "
                      "doesn't have a superview",
                      format.find('|'));
        return {};
    }
    Builder builder(*parsed, superitem);
    if (parsed->leadingEdge)
        builder.connect(*parsed->leadingEdge, superitem, parsed->views.front().item);
    for (size_t i = 0; i < parsed->views.size(); ++i) {
        builder.size(parsed->views[i]);
        if (i < parsed->between.size())
            builder.connect(parsed->between[i], parsed->views[i].item, parsed->views[i + 1].item);
    }
    if (parsed->trailingEdge)
        builder.connect(*parsed->trailingEdge, parsed->views.back().item, superitem);
    builder.align(*parsed, opts);
    return builder.take();
}

}  // namespace ov::ui
