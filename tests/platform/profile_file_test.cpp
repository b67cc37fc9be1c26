#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace {

using platform::ReadProfileString;
using platform::WriteProfileString;

class ProfileFile : public testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.File("settings.ini");
};

TEST_F(ProfileFile, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(ReadProfileString(path, "s", "k"), "");
  WriteFileBytes(path, "[s]\r\nk=v\r\n");
  EXPECT_EQ(ReadProfileString(path, "other", "k"), "");
  EXPECT_EQ(ReadProfileString(path, "s", "other"), "");
  EXPECT_EQ(ReadProfileString(path, "s", "k"), "v");
}

TEST_F(ProfileFile, ReadsValuesAsTheWindowsFunctionsDo) {
  WriteFileBytes(path,
                 "top=ignored\n"
                 "  [ Section ]  \n"
                 "plain=value\n"
                 "  spaced  =  a b \t\n"
                 "double=\"quoted \"\n"
                 "single='x'\n"
                 "mismatched=\"x'\n"
                 "lonequote=\"\n"
                 "empty=\n"
                 "noequals\n"
                 "dup=first\n"
                 "DUP=second\n"
                 "eq=a=b\n"
                 "[section]\n"
                 "later=from the second section of the same name\n");
  struct {
    const char* key;
    const char* value;
  } cases[] = {
      {"plain", "value"},   {"SPACED", "a b"},   {"double", "quoted "}, {"single", "x"},
      {"mismatched", "\"x'"}, {"lonequote", "\""}, {"empty", ""},         {"noequals", ""},
      {"dup", "first"},     {"eq", "a=b"},       {"later", ""},         {"top", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadProfileString(path, "SECTION", c.key), c.value) << c.key;
}

TEST_F(ProfileFile, WriteCreatesFileAndSectionThenReplacesInPlace) {
  ASSERT_TRUE(WriteProfileString(path, "one", "a", "1"));
  ASSERT_TRUE(WriteProfileString(path, "two", "b", "2"));
  ASSERT_TRUE(WriteProfileString(path, "ONE", "c", "3"));
  ASSERT_TRUE(WriteProfileString(path, "one", "A", "changed"));
  EXPECT_EQ(ReadFileBytes(path), "[one]\r\nA=changed\r\nc=3\r\n[two]\r\nb=2\r\n");
}

TEST_F(ProfileFile, WriteKeepsEverythingElseOfAHandEditedFile) {
  WriteFileBytes(path, "; comment\n[s]\nk = old \n\n[t]\nx=1");
  ASSERT_TRUE(WriteProfileString(path, "s", "k", "new"));
  ASSERT_TRUE(WriteProfileString(path, "s", "added", "2"));
  ASSERT_TRUE(WriteProfileString(path, "t", "y", "3"));
  EXPECT_EQ(ReadFileBytes(path), "; comment\n[s]\nk=new\nadded=2\r\n\n[t]\nx=1\r\ny=3\r\n");
}

TEST_F(ProfileFile, DoubleByteNamesMatchByteForByte) {
  // 0x81 0x41 and 0x81 0x61 are different characters although their trail bytes are 'A' and 'a'.
  ASSERT_TRUE(WriteProfileString(path, "\x81\x41", "k", "upper"));
  ASSERT_TRUE(WriteProfileString(path, "\x81\x61", "k", "lower"));
  EXPECT_EQ(ReadProfileString(path, "\x81\x41", "k"), "upper");
  EXPECT_EQ(ReadProfileString(path, "\x81\x61", "k"), "lower");
}

TEST_F(ProfileFile, LineBreaksCannotAddLines) {
  ASSERT_TRUE(WriteProfileString(path, "s", "k", "safe"));
  EXPECT_FALSE(WriteProfileString(path, "s", "k", "x\r\n[s]\r\nk=injected"));
  EXPECT_FALSE(WriteProfileString(path, "s", "k", "x\ny=1"));
  EXPECT_FALSE(WriteProfileString(path, "s\r", "k", "v"));
  EXPECT_FALSE(WriteProfileString(path, "s", "k\n", "v"));
  EXPECT_EQ(ReadFileBytes(path), "[s]\r\nk=safe\r\n");
}

TEST_F(ProfileFile, TextsEndAtTheirFirstZeroByte) {
  ASSERT_TRUE(WriteProfileString(path, "s", "k", std::string("kept\0dropped", 12)));
  EXPECT_EQ(ReadProfileString(path, "s", std::string("k\0x", 3)), "kept");
}

TEST_F(ProfileFile, FileIsPrivateToTheUser) {
  ASSERT_TRUE(WriteProfileString(path, "s", "k", "secret"));
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  ASSERT_TRUE(WriteProfileString(path, "s", "k", "again"));
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(ProfileFile, SymbolicLinkIsNeitherReadNorWrittenNorReplaced) {
  std::string target = folder.File("target.ini");
  WriteFileBytes(target, "[s]\r\nk=planted\r\n");
  ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);

  EXPECT_EQ(ReadProfileString(path, "s", "k"), "");
  EXPECT_FALSE(WriteProfileString(path, "s", "k", "secret"));

  EXPECT_EQ(ReadFileBytes(target), "[s]\r\nk=planted\r\n");
  struct stat status {};
  ASSERT_EQ(lstat(path.c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
}

TEST_F(ProfileFile, MissingFolderFails) {
  EXPECT_FALSE(WriteProfileString(folder.File("absent/settings.ini"), "s", "k", "v"));
}

}  // namespace
