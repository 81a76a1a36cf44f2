#include "FileEvents.h"
#include "support/TempFolder.h"
#include "model/IniFile.h"
#include "model/ProfileFiles.h"
#include "model/StructCodec.h"

#include <functional>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace qor {
namespace {

using test::Names;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

std::unique_ptr<ProfileTable> Loaded(const std::string& folder) {
    auto t = std::make_unique<ProfileTable>();
    LoadProfileTable(*t, folder);
    return t;
}

// A table in which every field differs from its neighbours, so a swapped key shows.
std::unique_ptr<ProfileTable> DistinctTable() {
    auto t = std::make_unique<ProfileTable>();
    t->GroupID = 3;
    std::int32_t n = 100;
    for (int k = 0; k < kProfileCount; ++k) {
        ProfileRecord& p = t->profiles[k];
        for (std::int32_t* f : {&p.Group,
                                &p.PollingRate,
                                &p.DoubleClickSpeed,
                                &p.WheelScrollLines,
                                &p.UniversalScrollEnabled,
                                &p.MouseSensitivity,
                                &p.Acceleration,
                                &p.XYSensitivityEnabled,
                                &p.OFASensitivity,
                                &p.MouseSpeedX,
                                &p.MouseSpeedY,
                                &p.LedMode1,
                                &p.LedState1,
                                &p.BreathState1,
                                &p.FlashState1,
                                &p.ANGLE,
                                &p.LIFT,
                                &p.DPI,
                                &p.DPICurrentX,
                                &p.DPICurrentY,
                                &p.DPIStageNum})
            *f = n++;
        for (std::int32_t& c : p.LedColor)
            c = n++ * 65537;
        for (DpiStage& s : p.DPIStageValue)
            s = DpiStage{n++, n++, -n, n++};
        for (LedModeState& s : p.LEDSTATE_INFO)
            s = LedModeState{n++, -(n++)};
        for (int b = 0; b < kButtonCount; ++b) {
            ButtonRecord& r = p.Buttons[b];
            r.ButtonID = static_cast<std::uint8_t>(n++);
            r.ButtonFunc = static_cast<std::uint8_t>(n++);
            r.LoopNumber = static_cast<std::uint8_t>(n++);
            r.KeyNumber = static_cast<std::uint8_t>(n++);
            for (std::size_t i = 0; i < r.AssignData.size(); ++i)
                r.AssignData[i] = static_cast<std::uint8_t>(n + i * 7);
            r.MacroName = "Macro \xC3\xA9 " + std::to_string(n++);
        }
    }
    return t;
}

TEST(ProfileFiles, FirstSaveOfAFreshTableMatchesTheFixture) {
    TempFolder dir;
    const auto t = Loaded(dir.Slash());
    ASSERT_TRUE(SaveProfileFiles(*t, dir.Slash()));
    const std::string fixture = ReadAll(std::string(QOR_SOURCE_DIR) + "/tests/model/fixtures/RSProfile1.pfd");
    ASSERT_FALSE(fixture.empty());
    EXPECT_EQ(ReadAll(dir.Path("RSProfile1.pfd")), fixture);
    EXPECT_EQ(Names(dir.Root()),
              (std::vector<std::string>{"RSProfile1.pfd", "RSProfile2.pfd", "RSProfile3.pfd",
                                        "RSProfile4.pfd", "RSProfile5.pfd"}));
    // Section names carry the 0-based index, file names k + 1.
    const std::string fifth = ReadAll(dir.Path("RSProfile5.pfd"));
    EXPECT_TRUE(fifth.starts_with("[GROUP4]\r\nGroupID=0\r\nGroup=0\r\n"));
    EXPECT_NE(fifth.find("\r\n[ButtonAssigned4_9]\r\n"), std::string::npos);
}

TEST(ProfileFiles, SaveThenReadGivesTheSameTable) {
    TempFolder dir;
    const auto t = DistinctTable();
    ASSERT_TRUE(SaveProfileFiles(*t, dir.Slash()));
    auto back = std::make_unique<ProfileTable>();
    ReadProfileFiles(*back, dir.Slash());
    EXPECT_TRUE(*back == *t);
    // A second save over the first changes nothing.
    const std::string first = ReadAll(dir.Path("RSProfile3.pfd"));
    ASSERT_TRUE(SaveProfileFiles(*t, dir.Slash()));
    EXPECT_EQ(ReadAll(dir.Path("RSProfile3.pfd")), first);
}

TEST(ProfileFiles, SaveKeepsWhatItDoesNotOwnAndTheFilesOwnFormat) {
    TempFolder dir;
    const auto t = Loaded(dir.Slash());
    // An LF file with a comment, a foreign section and a foreign key, and an old lower-case key.
    WriteAll(dir.Path("RSProfile1.pfd"),
             "; written by hand\n[Agent]\nSeen=1\n[group0]\nacceleration=4\nExtra=x\n");
    ASSERT_TRUE(SaveProfileFiles(*t, dir.Slash()));
    const std::string text = ReadAll(dir.Path("RSProfile1.pfd"));
    EXPECT_TRUE(text.starts_with(
        "; written by hand\n[Agent]\nSeen=1\n[group0]\nacceleration=1\nExtra=x\nGroupID=0\n"))
        << text.substr(0, 120);
    EXPECT_EQ(text.find('\r'), std::string::npos) << "an LF file stays LF";
    EXPECT_EQ(IniFile(dir.Path("RSProfile1.pfd")).ReadString("Agent", "Seen", ""), "1");
}

TEST(ProfileFiles, LightingSaveTouchesOnlyLightingKeys) {
    TempFolder dir;
    auto t = DistinctTable();
    ASSERT_TRUE(SaveProfileFiles(*t, dir.Slash()));
    const auto newLighting = [](ProfileRecord& p) {
        p.LedMode1 = 6;
        p.LedState1 = 7;
        p.FlashState1 = 8;
        p.BreathState1 = 9;
        p.LedColor.fill(0x123456);
        p.LEDSTATE_INFO.fill(LedModeState{3, 2});
    };
    auto changed = std::make_unique<ProfileTable>(*t);
    for (ProfileRecord& p : changed->profiles) {
        newLighting(p);
        p.PollingRate = 77; // not a lighting key: must not reach the files
    }
    ASSERT_TRUE(SaveLightingFiles(*changed, dir.Slash()));
    auto back = std::make_unique<ProfileTable>();
    ReadProfileFiles(*back, dir.Slash());
    for (int k = 0; k < kProfileCount; ++k) {
        ProfileRecord expected = t->profiles[k];
        newLighting(expected);
        EXPECT_TRUE(back->profiles[k] == expected) << "profile " << k;
    }
}

TEST(ProfileFiles, GroupIdComesFromTheFifthFile) {
    TempFolder dir;
    for (int k = 0; k < 4; ++k)
        WriteAll(ProfileFilePathIn(dir.Slash(), k), "[GROUP" + std::to_string(k) + "]\nGroupID=3\n");
    EXPECT_EQ(Loaded(dir.Slash())->GroupID, 0) << "RSProfile5.pfd is missing";
    WriteAll(ProfileFilePathIn(dir.Slash(), 4), "[GROUP4]\nGroupID=2\n");
    EXPECT_EQ(Loaded(dir.Slash())->GroupID, 2);
}

TEST(ProfileFiles, DamagedStructValuesGiveFactoryStages) {
    TempFolder dir;
    const std::array<std::uint8_t, 96> stages{1, 0, 0, 0, 7, 0, 0, 0};
    const std::string good = EncodeStruct(stages);
    const std::string cases[] = {good.substr(1), good.substr(0, good.size() - 1) + "F", good + "00", ""};
    for (const std::string& value : cases) {
        WriteAll(dir.Path("RSProfile1.pfd"), "[GROUP0]\nDPIStageValue=" + value + "\n");
        const auto t = Loaded(dir.Slash());
        EXPECT_EQ(t->profiles[0].DPIStageValue[0], (DpiStage{1, 4, 4, 1})) << value.size();
    }
    WriteAll(dir.Path("RSProfile1.pfd"), "[GROUP0]\nDPIStageValue=" + good + "\n");
    EXPECT_EQ(Loaded(dir.Slash())->profiles[0].DPIStageValue[0], (DpiStage{1, 7, 0, 0}));
}

TEST(ProfileFiles, MacroNamesAreCutOnCharacters) {
    TempFolder dir;
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "\xE2\x82\xAC";
    std::string long300;
    for (int i = 0; i < 300; ++i)
        long300 += "\xC3\xA9";
    WriteAll(dir.Path("RSProfile1.pfd"), "[ButtonAssigned0_1]\nMacroName=" + sixty +
                                             "\n[ButtonAssigned0_2]\nMacroName=" + long300 + "\n");
    const auto t = Loaded(dir.Slash());
    EXPECT_EQ(t->profiles[0].Buttons[0].MacroName, sixty);
    EXPECT_EQ(t->profiles[0].Buttons[1].MacroName, long300.substr(0, 259 * 2));
}

TEST(ExportImport, RoundTripRestoresEveryExportedKey) {
    TempFolder dir;
    const auto t = DistinctTable();
    const std::string path = dir.Path("mine.pfd");
    WriteAll(path, "[Notes]\nwho=me\n");
    ASSERT_TRUE(ExportProfile(t->profiles[1], path));
    const std::string text = ReadAll(path);
    EXPECT_TRUE(text.starts_with("[Notes]\nwho=me\n[GROUP]\nGroup=")) << "foreign sections stay";
    EXPECT_EQ(text.find("GroupID"), std::string::npos);
    EXPECT_EQ(text.find("LEDSTATE_INFO"), std::string::npos);
    EXPECT_EQ(text.find("LoopNumber"), std::string::npos);

    ProfileRecord into = t->profiles[3];
    ASSERT_TRUE(ImportProfile(into, path));
    ProfileRecord expected = t->profiles[1];
    expected.LEDSTATE_INFO = t->profiles[3].LEDSTATE_INFO;
    for (int b = 0; b < kButtonCount; ++b)
        expected.Buttons[b].LoopNumber = t->profiles[3].Buttons[b].LoopNumber;
    EXPECT_TRUE(into == expected);
}

TEST(ExportImport, ImportTakesMissingKeysAsNotSetAndCutsNames) {
    TempFolder dir;
    const auto t = Loaded(dir.Slash());
    const std::string path = dir.Path("old.pfd");
    ASSERT_TRUE(ExportProfile(t->profiles[0], path));
    std::string text = ReadAll(path);
    const std::size_t at = text.find("LedColor3=");
    text.erase(at, text.find("\r\n", at) + 2 - at);
    const std::string name60(60, 'n');
    text.replace(text.find("MacroName="), 10, "MacroName=" + name60);
    WriteAll(path, text);

    ProfileRecord p = t->profiles[0];
    ASSERT_TRUE(ImportProfile(p, path));
    EXPECT_EQ(p.LedColor[2], -1);
    EXPECT_EQ(p.Buttons[0].MacroName, name60.substr(0, 50));
    auto live = std::make_unique<ProfileTable>(*t);
    live->profiles[0] = p;
    ASSERT_TRUE(SaveProfileFiles(*live, dir.Slash()));
    EXPECT_NE(ReadAll(dir.Path("RSProfile1.pfd")).find("\r\nLedColor3=-1\r\n"), std::string::npos);

    ProfileRecord untouched = t->profiles[0];
    EXPECT_FALSE(ImportProfile(untouched, dir.Path("absent.pfd")));
}

// Hostile files: nothing may crash or hang, and every save still writes all five complete files.
TEST(ProfileFiles, SurviveHostileFiles) {
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 2654435761u) >> 13);
    const std::string cases[] = {
        "",
        "[GROUP0]\nPolling",
        garbage,
        "[GROUP0]\nLedMode1=1000\nLedColor1=-7\n",
        "[GROUP0]\nLedMode1=-7\nDPIStageValue=zz\nButtonAssigned0_1=0102\n",
        std::string("[GROUP0]\0\nGroupID=\0\n", 20),
        "\xFF\xFE[\0G\0R\0O\0U\0P\0000\0]\0\n\0\x00\xDC",
        "[GROUP0]\nMacroName=\xFF\xFE\xED\xA0\x80\n[ButtonAssigned0_1]\nMacroName=\xC3\n",
        "[GROUP0]\nGroupID=99999999999999999999\n" + std::string(1 << 20, '='),
    };
    for (const std::string& bytes : cases) {
        TempFolder dir;
        WriteAll(dir.Path("RSProfile1.pfd"), bytes);
        const auto t = Loaded(dir.Slash());
        EXPECT_TRUE(SaveProfileFiles(*t, dir.Slash()));
        EXPECT_TRUE(SaveLightingFiles(*t, dir.Slash()));
        const auto again = Loaded(dir.Slash());
        EXPECT_TRUE(*again == *t) << "what was saved reads back the same";
        EXPECT_EQ(Names(dir.Root()).size(), 5u);
    }
}

TEST(ProfileFiles, LedModeOutOfRangeIsCarriedThrough) {
    TempFolder dir;
    for (const std::int32_t mode : {1000, -7}) {
        WriteAll(dir.Path("RSProfile2.pfd"), "[GROUP1]\nLedMode1=" + std::to_string(mode) + "\n");
        auto t = Loaded(dir.Slash());
        EXPECT_EQ(t->profiles[1].LedMode1, mode);
        ASSERT_TRUE(SaveLightingFiles(*t, dir.Slash()));
        ASSERT_TRUE(SaveProfileFiles(*t, dir.Slash()));
        EXPECT_EQ(Loaded(dir.Slash())->profiles[1].LedMode1, mode);
    }
}

TEST(ProfileFiles, WriteFailureIsReportedAndNothingIsLost) {
    TempFolder dir;
    const auto t = Loaded(dir.Slash());
    EXPECT_FALSE(SaveProfileFiles(*t, dir.Path("missing/")));
    WriteAll(dir.Path("RSProfile1.pfd"), "[GROUP0]\nGroupID=1\n");
    ::chmod(dir.Path("RSProfile1.pfd").c_str(), 0444);
    EXPECT_FALSE(SaveProfileFiles(*t, dir.Slash()));
    EXPECT_EQ(ReadAll(dir.Path("RSProfile1.pfd")), "[GROUP0]\nGroupID=1\n");
    EXPECT_EQ(Names(dir.Root()).size(), 5u) << "the other four were still written";
}

} // namespace
} // namespace qor

namespace qor {
namespace {

// The device agent may read a file at any moment, so every operation replaces each of its files with
// one rename and never writes into a file in place.
TEST(ProfileFiles, EachOperationReplacesEachFileOnce) {
    TempFolder dir;
    const auto fresh = Loaded(dir.Slash());
    const auto distinct = DistinctTable();
    const std::string exported = dir.Path("mine.pfd");
    struct Operation {
        const char* name;
        std::function<bool()> run;
        std::vector<std::string> files;
    };
    const std::vector<std::string> live = {"RSProfile1.pfd", "RSProfile2.pfd", "RSProfile3.pfd",
                                           "RSProfile4.pfd", "RSProfile5.pfd"};
    const Operation operations[] = {
        {"first full save", [&] { return SaveProfileFiles(*fresh, dir.Slash()); }, live},
        {"full save over existing files", [&] { return SaveProfileFiles(*distinct, dir.Slash()); }, live},
        {"lighting save", [&] { return SaveLightingFiles(*fresh, dir.Slash()); }, live},
        {"export to a new file", [&] { return ExportProfile(distinct->profiles[2], exported); }, {"mine.pfd"}},
        {"export over that file", [&] { return ExportProfile(fresh->profiles[0], exported); }, {"mine.pfd"}},
    };
    test::FileEvents events(dir.Root());
    for (const Operation& op : operations) {
        events.Reset();
        ASSERT_TRUE(op.run()) << op.name;
        std::map<std::string, int> expected;
        for (const std::string& f : op.files)
            expected[f] = 1;
        EXPECT_EQ(events.AllRenamed(), expected) << op.name;
        for (const std::string& f : op.files)
            EXPECT_EQ(events.WrittenInPlace(f), 0) << op.name << ": " << f;
    }
    EXPECT_EQ(Names(dir.Root()).size(), 6u) << "no temporary file is left behind";
}

} // namespace
} // namespace qor
