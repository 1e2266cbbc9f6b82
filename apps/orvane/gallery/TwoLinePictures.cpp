#include "TwoLinePictures.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "orvane/components/CustomButton.h"
#include "orvane/components/CustomLable.h"
#include "orvane/components/TOSPPTextView.h"
#include "orvane/components/UIColor+UIColor.h"
#include "orvane/platform/files/Bundle.h"

namespace orvane::two_line {
namespace {

using namespace ov;
namespace palette = UIColor_UIColor_UIColor;

constexpr double kMargin = 12;
constexpr double kWidth = 320;

// Pieces stacked top to bottom, each as wide as the page allows.
class Column {
  public:
    Column() : m_root(std::make_shared<ui::View>(ui::Rect{0, 0, kWidth, 0})) {
        m_root->setBackgroundColor(ui::Color::colorWithWhite(0.95, 1));
    }
    void add(const std::shared_ptr<ui::View>& piece, double height) {
        piece->setFrame({kMargin, m_y, kWidth - 2 * kMargin, height});
        m_root->addSubview(piece);
        m_y += height + kMargin;
    }
    std::shared_ptr<ui::View> finish() {
        m_root->setFrame({0, 0, kWidth, m_y});
        return m_root;
    }

  private:
    std::shared_ptr<ui::View> m_root;
    double m_y = kMargin;
};

std::shared_ptr<CustomLable> label(const char* title, const char* subtitle,
                                   ui::NSTextAlignment alignment) {
    auto label = std::make_shared<CustomLable>();
    if (*title) label->setTitle(String(title));
    label->setSubtitle(String(subtitle));
    label->setTextAlignment(alignment);
    return label;
}

std::shared_ptr<ui::View> button(const char* title, const char* subtitle, const ui::Color& fill) {
    auto button = std::make_shared<CustomButton>();
    button->setBackgroundColor(fill);
    button->layer().setCornerRadius(8);
    button->setTitleColor(ui::Color::whiteColor());
    button->setSubtitleColor(ui::Color::colorWithWhite(1, 0.8));
    button->setTextAlignment(ui::NSTextAlignmentCenter);
    button->setTitle(String(title));
    button->setSubtitle(String(subtitle));
    return button;
}

// The sample table: key, then the English, Hebrew and Russian texts.
struct Entry {
    const char* key;
    const char* texts[3];
};

constexpr const char* kLanguages[] = {"en", "he", "ru"};

constexpr Entry kTable[] = {
    {"pptos.title", {"Subscription terms", "תנאי המינוי", "Условия подписки"}},
    {"pptos.part1.0",
     {"Payment is charged when you confirm", "התשלום נגבה עם האישור",
      "Оплата списывается при подтверждении"}},
    {"pptos.part1",
     {"The plan renews every %lu hours", "המינוי מתחדש כל %lu שעות",
      "Подписка продлевается каждые %lu часов"}},
    {"pptos.part2",
     {"Renewal is charged in the last day", "החידוש נגבה ביום האחרון",
      "Продление оплачивается в последние сутки"}},
    {"pptos.part2.1",
     {"Turn it off in your settings", "אפשר לבטל בהגדרות", "Отключить можно в настройках"}},
    {"pptos.part2.2",
     {"Unused trial time ends", "זמן ניסיון שלא נוצל מסתיים", "Остаток пробного периода сгорает"}},
    {"tos", {"terms of use", "תנאי השימוש", "условия использования"}},
    {"privacy.policy", {"privacy policy", "מדיניות הפרטיות", "политика конфиденциальности"}},
    {"pptos.part3.1.2",
     {"You agree to our %@ and %@", "את/ה מסכים/ה ל%@ ול%@", "Вы принимаете %@ и %@"}},
    {"pptos.part3.1", {"You agree to our %@", "את/ה מסכים/ה ל%@", "Вы принимаете %@"}},
};

// The sample table as a bundle in a temporary folder, removed when this goes.
class SampleBundle {
  public:
    SampleBundle() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvane-terms-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        m_path = pattern;
        for (size_t language = 0; language < std::size(kLanguages); ++language) {
            const auto folder = m_path / (std::string(kLanguages[language]) + ".lproj");
            std::filesystem::create_directories(folder);
            std::ofstream strings(folder / "Localizable.strings");
            for (const Entry& entry : kTable)
                strings << '"' << entry.key << "\" = \"" << entry.texts[language] << "\";\n";
        }
    }
    ~SampleBundle() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    SampleBundle(const SampleBundle&) = delete;
    SampleBundle& operator=(const SampleBundle&) = delete;

    std::string path() const { return m_path.string(); }

  private:
    std::filesystem::path m_path;
};

// Makes the sample bundle the main one in one language while it lives.
class MainBundleScope {
  public:
    MainBundleScope(const SampleBundle& sample, const char* language)
        : m_mainPath(Bundle::mainBundle()->bundlePath()),
          m_languages(Bundle::preferredLanguages()) {
        Bundle::setMainBundlePath(String(sample.path()));
        Bundle::setPreferredLanguages(std::vector<String>{String(language)});
    }
    ~MainBundleScope() {
        Bundle::setMainBundlePath(m_mainPath);
        Bundle::setPreferredLanguages(m_languages);
    }
    MainBundleScope(const MainBundleScope&) = delete;
    MainBundleScope& operator=(const MainBundleScope&) = delete;

  private:
    String m_mainPath;
    std::vector<String> m_languages;
};

}  // namespace

std::shared_ptr<ui::View> twoLinePicture() {
    Column column;
    column.add(label("Pay now", "Secure checkout", ui::NSTextAlignmentLeft), 44);
    column.add(label("", "Subtitle only, no line above", ui::NSTextAlignmentLeft), 20);
    auto coloured = label("Premium", "All features, every device", ui::NSTextAlignmentCenter);
    coloured->setTitle_color(palette::softBlue());
    coloured->setSubtitle_color(ui::Color::darkGrayColor());
    column.add(coloured, 44);
    column.add(button("Start free trial", "7 days, then 4.99 a week", palette::softBlue()), 56);
    column.add(button("Ok", "ok", palette::darkTuorquise()), 56);
    return column.finish();
}

std::shared_ptr<ui::View> termsPicture() {
    const SampleBundle sample;
    Column column;
    for (const char* language : kLanguages) {
        const MainBundleScope scope(sample, language);
        auto terms = std::make_shared<TOSPPTextView>(ui::Rect{0, 0, kWidth - 2 * kMargin, 0});
        terms->setChargePeriod(168);
        terms->setTos_url(String("https://example.com/terms"));
        terms->setPp_url(String("https://example.com/privacy"));
        terms->setBackgroundColor(ui::Color::whiteColor());
        column.add(terms, terms->sizeThatFits({kWidth - 2 * kMargin, 0}).height);
    }
    return column.finish();
}

}  // namespace orvane::two_line
