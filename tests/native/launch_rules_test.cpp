#include "app/launch_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/fill_text.h"
#include "shell/shell_rules.h"

namespace tellaro {
namespace {

const ModifierKeys kNone{};
const ModifierKeys kShift{true, false};
const ModifierKeys kRightButton{false, true};

TEST(LaunchVerbTest, FoldersAreExploredUnlessAModifierIsHeld) {
    EXPECT_STREQ(FolderVerb(kNone), "explore");
    EXPECT_STREQ(FolderVerb(kShift), "open");
    EXPECT_STREQ(FolderVerb(kRightButton), "open");
    EXPECT_STREQ(FolderVerb({true, true}), "open");
}

TEST(LaunchVerbTest, DesktopEntriesOpenAndOnlyPlainFoldersAreExplored) {
    EXPECT_STREQ(DesktopVerb(true, kNone), "explore");
    EXPECT_STREQ(DesktopVerb(true, kShift), "open");
    EXPECT_STREQ(DesktopVerb(true, kRightButton), "open");
    EXPECT_STREQ(DesktopVerb(false, kNone), "open");
    EXPECT_STREQ(DesktopVerb(false, kShift), "open");
}

TEST(LaunchVerbTest, DesktopShellObjectsByAttributes) {
    const std::uint32_t browsable = 0x08000000;
    const std::uint32_t folder = 0x20000000;
    // The Internet object starts the browser whatever else it claims to be.
    EXPECT_EQ(DesktopShellItemAction(browsable, kNone), ShellItemAction::Browser);
    EXPECT_EQ(DesktopShellItemAction(browsable | folder, kShift), ShellItemAction::Browser);
    EXPECT_EQ(DesktopShellItemAction(folder | 0x40000000, kNone), ShellItemAction::Explore);
    EXPECT_EQ(DesktopShellItemAction(folder, kRightButton), ShellItemAction::Open);
    EXPECT_EQ(DesktopShellItemAction(0x40400177, kNone), ShellItemAction::Open);
    EXPECT_EQ(DesktopShellItemAction(0, kNone), ShellItemAction::Open);
}

TEST(BrowserProgramTest, QuotedProgramLosesItsArguments) {
    EXPECT_EQ(ExtractBrowserProgram("\"C:\\Program Files\\Browser\\browser.exe\" -url \"%1\""),
              "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(ExtractBrowserProgram("\"C:\\Browser\\b.exe\""), "C:\\Browser\\b.exe");
    EXPECT_EQ(ExtractBrowserProgram("\"C:\\Browser\\b.exe\" %1"), "C:\\Browser\\b.exe");
}

TEST(BrowserProgramTest, UnquotedTextIsUsedWhole) {
    EXPECT_EQ(ExtractBrowserProgram("C:\\PROGRA~1\\Browser\\b.exe -nohome %1"),
              "C:\\PROGRA~1\\Browser\\b.exe -nohome %1");
    EXPECT_EQ(ExtractBrowserProgram("browser.exe"), "browser.exe");
}

TEST(BrowserProgramTest, UnquotedProgramIsCutAtItsFirstQuotedArgument) {
    EXPECT_EQ(ExtractBrowserProgram("C:\\b.exe \"%1\""), "C:\\b.exe ");
}

TEST(BrowserProgramTest, DoubledOpeningQuoteAndStrayQuotes) {
    EXPECT_EQ(ExtractBrowserProgram("\"\"C:\\b.exe\"\" -x"), "C:\\b.exe");
    // At most two opening quotes go; a third one survives the cut.
    EXPECT_EQ(ExtractBrowserProgram("\"\"\"b.exe\""), "\"b.exe");
    EXPECT_EQ(ExtractBrowserProgram("\""), "");
    EXPECT_EQ(ExtractBrowserProgram("\"\""), "");
    EXPECT_EQ(ExtractBrowserProgram("\"\"\""), "");
    EXPECT_EQ(ExtractBrowserProgram(""), "");
    EXPECT_EQ(ExtractBrowserProgram("b.exe\""), "b.exe");
}

TEST(BrowserProgramTest, OpenCommandKeyFollowsTheClassName) {
    EXPECT_EQ(OpenCommandKey("htmlfile"), "htmlfile\\shell\\open\\command");
    EXPECT_EQ(OpenCommandKey(""), "\\shell\\open\\command");
}

TEST(ShellVersionTest, OldShellsAlwaysUseTheRegistry) {
    EXPECT_FALSE(ShellOpensUrlDirectly({4, 72}, true));
    EXPECT_FALSE(ShellOpensUrlDirectly({4, 71}, true));
    EXPECT_FALSE(ShellOpensUrlDirectly({0, 0}, true));
}

TEST(ShellVersionTest, NewerShellsTryTheUrlFirstWhenThereIsOne) {
    EXPECT_TRUE(ShellOpensUrlDirectly({5, 0}, true));
    EXPECT_TRUE(ShellOpensUrlDirectly({4, 73}, true));
    EXPECT_TRUE(ShellOpensUrlDirectly({3, 80}, true));  // parts compared separately
    EXPECT_FALSE(ShellOpensUrlDirectly({5, 0}, false));
    EXPECT_FALSE(ShellOpensUrlDirectly({6, 1}, false));
}

TEST(HotKeyTest, EachControlFlagMapsToItsModifier) {
    EXPECT_EQ(HotKeyModifiers(0x04), 0x1u);  // Alt
    EXPECT_EQ(HotKeyModifiers(0x02), 0x2u);  // Control
    EXPECT_EQ(HotKeyModifiers(0x01), 0x4u);  // Shift
    EXPECT_EQ(HotKeyModifiers(0x08), 0x0u);  // an extended key, no modifier
    EXPECT_EQ(HotKeyModifiers(0x0F), 0x7u);
    EXPECT_EQ(HotKeyModifiers(0x05), 0x5u);  // Alt + Shift
    EXPECT_EQ(HotKeyModifiers(0x00), 0x0u);
    EXPECT_EQ(HotKeyModifiers(0xF0), 0x0u);  // unknown flags are dropped
}

TEST(HotKeyTest, ControlValueSplitsIntoKeyAndModifiers) {
    const HotKeyRegistration none = HotKeyFromControlValue(0);
    EXPECT_FALSE(none.wanted);

    // Ctrl+Alt+Right as the control gives it: Right is an extended key.
    const HotKeyRegistration ctrlAltRight = HotKeyFromControlValue(0x0E27);
    EXPECT_TRUE(ctrlAltRight.wanted);
    EXPECT_EQ(ctrlAltRight.virtualKey, 0x27u);
    EXPECT_EQ(ctrlAltRight.modifiers, 0x3u);

    const HotKeyRegistration ctrlAltF = HotKeyFromControlValue(0x0646);
    EXPECT_EQ(ctrlAltF.virtualKey, 0x46u);
    EXPECT_EQ(ctrlAltF.modifiers, 0x3u);

    // A modifier without a key is still registered as the control gave it.
    const HotKeyRegistration onlyShift = HotKeyFromControlValue(0x0100);
    EXPECT_TRUE(onlyShift.wanted);
    EXPECT_EQ(onlyShift.virtualKey, 0u);
    EXPECT_EQ(onlyShift.modifiers, 0x4u);
}

TEST(SpecialFolderNodeTest, NodesOfTheFirstTableMapToItsCommands) {
    EXPECT_EQ(SpecialFolderCommandForNode(10), 32800);
    EXPECT_EQ(SpecialFolderCommandForNode(23), 32813);
    EXPECT_EQ(SpecialFolderCommandForNode(39), 32829);
}

TEST(SpecialFolderNodeTest, NodesOfTheSecondTableMapToItsCommands) {
    EXPECT_EQ(SpecialFolderCommandForNode(50), 32832);
    EXPECT_EQ(SpecialFolderCommandForNode(64), 32846);
}

TEST(SpecialFolderNodeTest, OtherNodesOpenNothing) {
    for (std::intptr_t node : {-1, 0, 1, 2, 9, 40, 49, 65, 100, 1099})
        EXPECT_EQ(SpecialFolderCommandForNode(node), 0) << node;
}

TEST(LinkTargetTest, OnlyMailAndHomePageAreLinks) {
    EXPECT_EQ(LinkTargetFromParam(1), LinkTarget::Mail);
    EXPECT_EQ(LinkTargetFromParam(2), LinkTarget::HomePage);
    EXPECT_EQ(LinkTargetFromParam(0), LinkTarget::None);
    EXPECT_EQ(LinkTargetFromParam(3), LinkTarget::None);
    EXPECT_EQ(LinkTargetFromParam(static_cast<std::uintptr_t>(-1)), LinkTarget::None);
}

bool ShiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(HelpFilesTest, GuideAndHelpFileLieInTheProgramsFolder) {
    HelpFiles files = HelpFilesBeside("C:\\Tools\\Tellaro.exe", "Tellaro.hlp", ShiftJisLead);
    EXPECT_EQ(files.winHelpFile, "C:\\Tools\\Tellaro.hlp");
    EXPECT_EQ(files.guidePage, "C:\\Tools\\Tellaro.html");
    // A dot in the folder is not the help file's extension.
    files = HelpFilesBeside("C:\\v1.11\\Tellaro.exe", "Help", ShiftJisLead);
    EXPECT_EQ(files.guidePage, "C:\\v1.11\\Help.html");
    // Only the last extension is the help file's: the English guide keeps
    // its language tag.
    files = HelpFilesBeside("C:\\Tools\\Tellaro.exe", "Tellaro.en.hlp", ShiftJisLead);
    EXPECT_EQ(files.guidePage, "C:\\Tools\\Tellaro.en.html");
    // A double-byte character whose second byte is 5C is no separator.
    files = HelpFilesBeside("C:\\\x95\\\x8E\xA6\\Tellaro.exe", "Tellaro.hlp", ShiftJisLead);
    EXPECT_EQ(files.guidePage, "C:\\\x95\\\x8E\xA6\\Tellaro.html");
    files = HelpFilesBeside("C:\\\x95\\", "Tellaro.hlp", ShiftJisLead);
    EXPECT_EQ(files.guidePage, "C:\\Tellaro.html");
}

// Help opens the guide at the window's section through the .html handler's
// own command: a path any user may have (spaces, '#', Japanese) must reach
// it as one valid URL.
TEST(HelpFilesTest, GuideUrlsAndHandlerCommands) {
    EXPECT_STREQ(GuideTopic(0), "");
    EXPECT_EQ(FileUrl("C:\\Program Files\\#1\\\xE3\x83\x86\\Tellaro.html", "settings"),
              "file:///C:/Program%20Files/%231/%E3%83%86/Tellaro.html#settings");
    EXPECT_EQ(FileUrl("C:\\a%b.html", ""), "file:///C:/a%25b.html");
    EXPECT_EQ(CommandWithArgument("\"C:\\b.exe\" -nohome \"%1\"", "U"),
              "\"C:\\b.exe\" -nohome \"U\"");
    EXPECT_EQ(CommandWithArgument("b.exe %L", "U"), "b.exe U");
    EXPECT_EQ(CommandWithArgument("\"C:\\b.exe\"", "U"), "\"C:\\b.exe\" \"U\"");
}

// A launch failure names the target where the system's text has "%1" and
// never shows an insert it cannot fill.
TEST(SystemInsertsTest, TheTargetGoesInAndOtherInsertsAreDropped) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"%1 \x82\xCC EXE \x83\x74\x83\x48\x81\x5B\x83\x7D\x83\x62\x83\x67",
         "C:\\a.exe \x82\xCC EXE \x83\x74\x83\x48\x81\x5B\x83\x7D\x83\x62\x83\x67"},
        {"'%1' needs %2.", "'C:\\a.exe' needs ."},
        {"%1!s! and %2!d!.", "C:\\a.exe and ."},
        {"%10 and %1%1", " and C:\\a.exeC:\\a.exe"},
        {"100%% done, %0 %x at the end %", "100% done, %0 %x at the end %"},
        {"unclosed %2!s", "unclosed !s"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillSystemInserts(c.text, "C:\\a.exe"), c.expected) << c.text;
    // The target itself is taken literally.
    EXPECT_EQ(FillSystemInserts("%1", "C:\\%2%%"), "C:\\%2%%");
}

// The guides the build ships, '|'-separated; TELLARO_GUIDES in the
// environment names others to check the same way.
std::vector<std::string> GuideFiles() {
    const char* chosen = std::getenv("TELLARO_GUIDES");
    std::stringstream list(chosen != nullptr && *chosen != '\0' ? chosen : TELLARO_GUIDE_FILES);
    std::vector<std::string> files;
    for (std::string file; std::getline(list, file, '|');)
        if (!file.empty()) files.push_back(file);
    return files;
}

bool HasAnchor(const std::string& html, const std::string& topic) {
    return html.find("id=\"" + topic + "\"") != std::string::npos ||
           html.find("id='" + topic + "'") != std::string::npos;
}

// A Help button whose section is missing from the guide opens the guide at
// its top, which looks like working help: every section the program can
// ask for must be in every guide it ships.
TEST(HelpFilesTest, EveryGuideHasEverySectionTheProgramOpens) {
    std::vector<std::string> topics;
    for (std::uint32_t context = 0; context < 1024; ++context)
        if (*GuideTopic(context) != '\0') topics.push_back(GuideTopic(context));
    ASSERT_FALSE(topics.empty());
    const std::vector<std::string> files = GuideFiles();
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        const std::string html{std::istreambuf_iterator<char>(in), {}};
        for (const std::string& topic : topics)
            EXPECT_TRUE(HasAnchor(html, topic)) << file << " has no section #" << topic;
    }
}

}  // namespace
}  // namespace tellaro
