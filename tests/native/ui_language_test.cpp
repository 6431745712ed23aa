#include "base/ui_language.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tellaro {
namespace {

TEST(UiLanguage, JapaneseOnlyWhereTheCodePageHoldsIt) {
    const struct {
        unsigned codePage;
        unsigned short uiLanguage;
        UiLanguage expected;
    } cases[] = {
        {932, 0x0411, UiLanguage::kJapanese},
        {932, 0x0409, UiLanguage::kJapanese},
        {65001, 0x0411, UiLanguage::kJapanese},
        {65001, 0x0409, UiLanguage::kEnglish},
        // A Japanese reader whose programs keep a Western code page.
        {1252, 0x0411, UiLanguage::kEnglish},
        {1252, 0x0409, UiLanguage::kEnglish},
        // Korean holds kana but not every kanji.
        {949, 0x0412, UiLanguage::kEnglish},
        {949, 0x0411, UiLanguage::kEnglish},
        {1250, 0x0407, UiLanguage::kEnglish},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseUiLanguage(c.codePage, c.uiLanguage), c.expected)
            << c.codePage << " x " << std::hex << c.uiLanguage;
    EXPECT_EQ(ResourceLanguageId(UiLanguage::kJapanese), 0x0411);
    EXPECT_EQ(ResourceLanguageId(UiLanguage::kEnglish), 0x0409);
}

// What the two language blocks of the resource script must agree on: the
// string ids, each dialog's controls in order and its menu, each menu's
// shape and commands.
struct Script {
    std::string text;  // the file as read, for plain searches
    std::map<std::string, std::string> strings;
    std::map<std::string, std::vector<std::string>> dialogs;
    std::map<std::string, std::string> menus;
    std::vector<std::string> quoted;  // every quoted text
};

struct Token {
    std::string text;
    bool quoted;
    bool startsLine;
};

std::vector<Token> Tokenize(const std::string& s) {
    std::vector<Token> out;
    bool lineStart = true;
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '\n') {
            lineStart = true;
            ++i;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (s.compare(i, 2, "//") == 0 || (lineStart && c == '#')) {
            i = s.find('\n', i);
        } else if (c == '"') {
            std::string text;
            for (++i; i < s.size(); ++i) {
                if (s[i] == '"' && (i + 1 >= s.size() || s[i + 1] != '"')) break;
                if (s[i] == '"') ++i;  // "" is one quote
                text += s[i];
            }
            ++i;
            out.push_back({text, true, lineStart});
            lineStart = false;
        } else if (c == ',' || c == '|') {
            out.push_back({std::string(1, c), false, lineStart});
            lineStart = false;
            ++i;
        } else {
            const std::size_t end = s.find_first_of(" \t\r\n,|\"", i);
            out.push_back({s.substr(i, end - i), false, lineStart});
            lineStart = false;
            i = end;
        }
        if (i == std::string::npos) break;
    }
    return out;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

    void Parse(Script& out) {
        while (!AtEnd()) {
            if (Is("STRINGTABLE")) {
                SkipTo("BEGIN");
                while (!AtEnd() && !Is("END")) {
                    const std::string id = Next().text;
                    out.strings[id] = Next().text;
                }
                ++at_;
            } else if (IsAhead("DIALOGEX") || IsAhead("DIALOG")) {
                ParseDialog(out);
            } else if (IsAhead("MENU")) {
                const std::string id = Next().text;
                SkipTo("BEGIN");
                out.menus[id] = MenuBody();
            } else if (Is("BEGIN")) {
                SkipBlock();
            } else {
                ++at_;
            }
        }
        for (const Token& token : t_)
            if (token.quoted) out.quoted.push_back(token.text);
    }

private:
    bool AtEnd() const { return at_ >= t_.size(); }
    bool Is(const char* word) const { return !AtEnd() && !t_[at_].quoted && t_[at_].text == word; }
    bool IsAhead(const char* word) const {
        return at_ + 1 < t_.size() && !t_[at_ + 1].quoted && t_[at_ + 1].text == word;
    }
    const Token& Next() { return t_[at_ < t_.size() ? at_++ : t_.size() - 1]; }
    void SkipTo(const char* word) {
        while (!AtEnd() && !Is(word)) ++at_;
        ++at_;
    }
    void SkipBlock() {
        int depth = 0;
        do {
            if (Is("BEGIN")) ++depth;
            if (Is("END")) --depth;
            ++at_;
        } while (!AtEnd() && depth > 0);
    }

    static bool IsControl(const Token& token) {
        static const std::set<std::string> keywords = {
            "LTEXT",    "RTEXT",       "CTEXT",     "PUSHBUTTON",   "DEFPUSHBUTTON",
            "GROUPBOX", "CHECKBOX",    "CONTROL",   "AUTOCHECKBOX", "AUTORADIOBUTTON",
            "EDITTEXT", "COMBOBOX",    "LISTBOX",   "SCROLLBAR",    "ICON",
            "STATE3",   "RADIOBUTTON", "AUTO3STATE"};
        return token.startsLine && !token.quoted && keywords.count(token.text) > 0;
    }

    // Each control's id, in order (the tab order, and an up-down control's
    // buddy is the control before it): the first argument of the statements
    // that carry no text, the second of the others.
    void ParseDialog(Script& out) {
        std::vector<std::string>& controls = out.dialogs[Next().text];
        while (!AtEnd() && !Is("BEGIN")) {
            if (Is("MENU") && at_ + 1 < t_.size()) controls.push_back("menu " + t_[at_ + 1].text);
            ++at_;
        }
        ++at_;
        while (!AtEnd() && !Is("END")) {
            const std::string keyword = Next().text;
            std::vector<std::string> fields(1);
            while (!AtEnd() && !IsControl(t_[at_]) && !Is("END")) {
                const Token& token = Next();
                if (!token.quoted && token.text == ",")
                    fields.emplace_back();
                else
                    fields.back() += token.text;
            }
            const bool idFirst = keyword == "EDITTEXT" || keyword == "COMBOBOX" ||
                                 keyword == "LISTBOX" || keyword == "SCROLLBAR";
            const std::size_t idField = idFirst ? 0 : 1;
            controls.push_back(fields.size() > idField ? fields[idField] : "?");
        }
        ++at_;
    }

    std::string MenuBody() {
        std::string shape;
        while (!AtEnd() && !Is("END")) {
            if (Is("POPUP")) {
                at_ += 2;
                SkipTo("BEGIN");
                shape += "[" + MenuBody() + "]";
            } else if (Is("MENUITEM") && IsAhead("SEPARATOR")) {
                at_ += 2;
                shape += "-";
            } else if (Is("MENUITEM")) {
                at_ += 3;  // keyword, text, comma
                shape += " " + Next().text;
                while (Is(",")) at_ += 2;  // flags
            } else {
                ++at_;
            }
        }
        ++at_;
        return shape;
    }

    std::vector<Token> t_;
    std::size_t at_ = 0;
};

Script ReadScript(const std::string& name) {
    Script script;
    std::ifstream file(std::string(TELLARO_RES_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    script.text = text.str();
    Parser(Tokenize(script.text)).Parse(script);
    return script;
}

// A text or control added to the Japanese resources alone shows up here.
TEST(UiLanguage, EnglishResourcesMatchTheJapaneseOnes) {
    const Script ja = ReadScript("tellaro.rc");
    const Script en = ReadScript("tellaro_en.rc");
    // The parser still understands the script.
    ASSERT_GE(ja.strings.size(), 90u);
    ASSERT_EQ(ja.dialogs.size(), 5u);
    ASSERT_EQ(ja.menus.size(), 6u);
    ASSERT_EQ(ja.dialogs.at("IDD_OPTIONS").size(), 26u);
    ASSERT_EQ(ja.menus.at("IDM_DROP"),
              "[ ID_DROP_COPY_INTO_GROUP ID_DROP_MOVE_INTO_GROUP- ID_DROP_COPY_BELOW "
              "ID_DROP_MOVE_BELOW- ID_DROP_CANCEL]");

    EXPECT_NE(ja.text.find("\n#include \"tellaro_en.rc\""), std::string::npos)
        << "the English resources do not reach the program";
    EXPECT_NE(en.text.find("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US"), std::string::npos);
    for (const auto& [id, text] : ja.strings) {
        const auto found = en.strings.find(id);
        EXPECT_TRUE(found != en.strings.end() && !found->second.empty())
            << id << " has no English text";
    }
    for (const auto& [id, text] : en.strings) EXPECT_EQ(ja.strings.count(id), 1u) << id;
    EXPECT_EQ(en.dialogs.size(), ja.dialogs.size());
    for (const auto& [id, controls] : ja.dialogs) {
        const auto found = en.dialogs.find(id);
        EXPECT_TRUE(found != en.dialogs.end() && found->second == controls) << id << " differs";
    }
    EXPECT_EQ(en.menus.size(), ja.menus.size());
    for (const auto& [id, shape] : ja.menus) {
        const auto found = en.menus.find(id);
        EXPECT_TRUE(found != en.menus.end() && found->second == shape) << id << " differs";
    }
    // Any ANSI code page shows 7-bit text as it is.
    for (const std::string& text : en.quoted) {
        bool sevenBit = true;
        for (char c : text) sevenBit = sevenBit && (c & 0x80) == 0;
        EXPECT_TRUE(sevenBit) << "not 7-bit: " << text;
    }
}

}  // namespace
}  // namespace tellaro
