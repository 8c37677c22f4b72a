// The settings-file members against real files.
#include "OstrelDll.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <locale.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("ostrel-ini-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "Marlinex2007.ini").u16string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void WriteFile(const std::string& bytes) const
    {
        std::ofstream(fs::path(path), std::ios::binary) << bytes;
    }
    std::string FileBytes() const
    {
        std::ifstream in(fs::path(path), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::u16string Get(const std::u16string& section, const std::u16string& key)
    {
        OstrelDiskFileS f;
        return f.GetIniValue(section, key, path);
    }

    fs::path dir;
    std::u16string path;
};
} // namespace

TEST_F(SettingsFile, ReadsValuesByTheClassicRules)
{
    WriteFile("; settings\r\n[Other]\r\nLanguage=9\r\n[option]\r\n  LANGUAGE =  1  \r\nSavePath=\"/data/books/\"\r\n"
              "Empty=\r\nQuoted='x'\r\nHalf=\"open\r\n[Last]\r\nKey=v\r\n");
    struct Case { std::u16string section, key, expected; } cases[] = {
        {u"Option", u"Language", u"1"},          // case of section and key ignored, blanks removed
        {u"OPTION", u"savepath", u"/data/books/"}, // matching quotes removed
        {u"Option", u"Empty", u""},
        {u"Option", u"Quoted", u"x"},
        {u"Option", u"Half", u"\"open"},         // quotes that do not match stay
        {u"Option", u"Missing", u""},
        {u"Nowhere", u"Language", u""},
        {u"Last", u"Key", u"v"},
        {u"Other", u"Language", u"9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get(c.section, c.key), c.expected) << std::string(c.key.begin(), c.key.end());
}

TEST_F(SettingsFile, MissingFileReadsEmptyAndPathIsUnchanged)
{
    const std::u16string before = path;
    EXPECT_EQ(Get(u"Option", u"Language"), u"");
    EXPECT_EQ(path, before);
    OstrelDiskFileS f;
    f.SetIniValue(u"Option", u"Language", u"0", path);
    EXPECT_EQ(path, before);
    EXPECT_EQ(FileBytes(), "[Option]\r\nLanguage=0\r\n");
}

TEST_F(SettingsFile, LongValueIsCutTo101Bytes)
{
    const std::string value(150, 'a');
    WriteFile("[Option]\r\nSavePath=" + value + "\r\n");
    EXPECT_EQ(Get(u"Option", u"SavePath"), std::u16string(101, u'a'));
}

TEST_F(SettingsFile, CutNeverSplitsAWideCharacter)
{
    // 50 three-byte characters in UTF-8: 101 bytes hold 33 of them.
    std::string value;
    for (int i = 0; i < 50; ++i) value += "\xE7\x9B\xAE";   // 目
    WriteFile("[Option]\r\nSavePath=" + value + "\r\n");
    EXPECT_EQ(Get(u"Option", u"SavePath"), std::u16string(33, u'目'));
}

TEST_F(SettingsFile, WriteKeepsEveryOtherLine)
{
    WriteFile("; my comment\r\n[Window]\r\nLeft=10\r\n\r\n[Option]\r\nLanguage=0\r\n; keep me\r\nSavePath=/old/\r\n\r\n[Tail]\r\nA=1\r\n");
    OstrelDiskFileS f;
    f.SetIniValue(u"option", u"savepath", u"/新/目录/", path);
    f.SetIniValue(u"Option", u"Extra", u"x", path);
    f.SetIniValue(u"New", u"Key", u"v", path);
    EXPECT_EQ(FileBytes(),
              "; my comment\r\n[Window]\r\nLeft=10\r\n\r\n[Option]\r\nLanguage=0\r\n; keep me\r\nSavePath=/\xE6\x96\xB0/"
              "\xE7\x9B\xAE\xE5\xBD\x95/\r\nExtra=x\r\n\r\n[Tail]\r\nA=1\r\n\r\n[New]\r\nKey=v\r\n");
    EXPECT_EQ(Get(u"Option", u"SavePath"), u"/新/目录/");
    // Nothing is left beside the file.
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) { (void)e; ++files; }
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsFile, WriteIntoMissingFolderFailsSilentlyAndLeavesNothing)
{
    std::u16string bad = (dir / "no" / "such" / "x.ini").u16string();
    OstrelDiskFileS f;
    f.SetIniValue(u"Option", u"Language", u"1", bad);
    EXPECT_FALSE(fs::exists(dir / "no"));
    EXPECT_EQ(f.GetIniValue(u"Option", u"Language", bad), u"");
}

TEST_F(SettingsFile, GbkLocaleReadsAndWritesGbk)
{
    if (!setlocale(LC_ALL, "zh_CN.GBK")) GTEST_SKIP() << "no zh_CN.GBK locale on this machine";
    // "目录" in GBK is C4 BF C2 BC.
    WriteFile("[Option]\r\nSavePath=/\xC4\xBF\xC2\xBC/\r\n");
    EXPECT_EQ(Get(u"Option", u"SavePath"), u"/目录/");
    OstrelDiskFileS f;
    f.SetIniValue(u"Option", u"SavePath", u"/零件/", path);
    EXPECT_EQ(FileBytes(), "[Option]\r\nSavePath=/\xC1\xE3\xBC\xFE/\r\n");
    // 150 GBK characters are 300 bytes: 101 bytes hold 50 whole characters.
    std::string value;
    for (int i = 0; i < 150; ++i) value += "\xC4\xBF";
    WriteFile("[Option]\r\nSavePath=" + value + "\r\n");
    EXPECT_EQ(Get(u"Option", u"SavePath"), std::u16string(50, u'目'));
    setlocale(LC_ALL, "C");
}
