#include "platform/Files.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(SafeFileName, AcceptsOrdinaryNamesAndRejectsThoseThatLeaveTheFolder) {
  struct TCase {
    const char* Name;
    bool Safe;
  };
  const TCase cases[] = {
      {"Plant 1", true}, {"Käse-Übersicht", true},
      {"a.b", true},     {".hidden", true},
      {"", false},       {".", false},
      {"..", false},     {"../x", false},
      {"a/b", false},    {"a\\b", false},
      {"C:x", false},    {"a*", false},
      {"a?", false},     {"a\"b", false},
      {"<a", false},     {"a>", false},
      {"a|b", false},    {"a\tb", false},
      {"a\nb", false},   {" a", false},
      {"a ", false},     {"a.", false},
      {"\x7f", false},   {"...", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsSafeFileName(c.Name), c.Safe) << '"' << c.Name << '"';
}

TEST(PathHelpers, SplitJoinAndChangeExtension) {
  EXPECT_EQ(JoinPath("/a/b", "c.xml"), "/a/b/c.xml");
  EXPECT_EQ(JoinPath("/a/b/", "c.xml"), "/a/b/c.xml");
  EXPECT_EQ(JoinPath("/a/b/", "/c.xml"), "/a/b/c.xml");
  EXPECT_EQ(JoinPath("", "c.xml"), "c.xml");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(ExtractFileName("/a/b/c.xml"), "c.xml");
  EXPECT_EQ(ExtractFileName("c.xml"), "c.xml");
  EXPECT_EQ(ExtractFilePath("/a/b/c.xml"), "/a/b/");
  EXPECT_EQ(ExtractFilePath("c.xml"), "");
  EXPECT_EQ(ChangeFileExt("/a/b/c.xml", ".bmp"), "/a/b/c.bmp");
  EXPECT_EQ(ChangeFileExt("/a/b.d/c", ".bmp"), "/a/b.d/c.bmp");
  EXPECT_EQ(ChangeFileExt("/a/b/c.tar.gz", ""), "/a/b/c.tar");
}

TEST(ProgramFolder, DefaultsToTheExecutablesFolderAndCanBeSet) {
  std::string real = ProgramFolder();
  EXPECT_TRUE(DirectoryExists(real));
  EXPECT_TRUE(FileExists(JoinPath(real, "tests_platform")));
  SetProgramFolder("/tmp/somewhere/");
  EXPECT_EQ(ProgramFolder(), "/tmp/somewhere");
  SetProgramFolder("");
  EXPECT_EQ(ProgramFolder(), real);
}

TEST(Folders, CreateOneLevelOrAllAndTellFilesFromFolders) {
  TTempDir dir;
  EXPECT_FALSE(CreateDir(dir.File("a/b"))); // parent missing
  EXPECT_TRUE(CreateDir(dir.File("a")));
  EXPECT_FALSE(CreateDir(dir.File("a"))); // already there
  EXPECT_TRUE(ForceDirectories(dir.File("x/y/z")));
  EXPECT_TRUE(ForceDirectories(dir.File("x/y/z/"))); // existing is fine
  EXPECT_TRUE(DirectoryExists(dir.File("x/y/z")));
  dir.Write("file", "1");
  EXPECT_FALSE(ForceDirectories(dir.File("file/sub"))); // a file in the way
  EXPECT_TRUE(FileExists(dir.File("file")));
  EXPECT_FALSE(FileExists(dir.File("x")));
  EXPECT_FALSE(DirectoryExists(dir.File("file")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
}

TEST(Folders, ListingsAreSortedCaseBlindAndLeaveOutReadOnlyFiles) {
  TTempDir dir;
  dir.MakeDir("beta");
  dir.MakeDir("Alpha");
  dir.MakeDir("gamma");
  dir.Write("German.lng", "");
  dir.Write("english.LNG", "");
  dir.Write("Italiano.lng", "");
  dir.Write("Locked.lng", "");
  dir.SetReadOnly("Locked.lng", true);
  dir.Write("notes.txt", "");
  dir.Write("lng", "");
  dir.MakeDir("Folder.lng");
  EXPECT_EQ(ListSubFolders(dir.Path()), (std::vector<std::string>{"Alpha", "beta", "Folder.lng", "gamma"}));
  EXPECT_EQ(ListFiles(dir.Path(), ".lng"),
            (std::vector<std::string>{"english.LNG", "German.lng", "Italiano.lng"}));
  EXPECT_TRUE(ListFiles(dir.File("missing"), ".lng").empty());
  EXPECT_TRUE(ListSubFolders(dir.File("missing")).empty());
}

TEST(ReadFileBytes, ReadsWholeBinaryFilesAndFailsOnMissingOnes) {
  TTempDir dir;
  std::string content("a\0b\r\n\xff", 6);
  dir.Write("bin", content);
  std::string bytes = "old";
  ASSERT_TRUE(ReadFileBytes(dir.File("bin"), bytes));
  EXPECT_EQ(bytes, content);
  EXPECT_FALSE(ReadFileBytes(dir.File("none"), bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(ReadFileBytes(dir.Path(), bytes)); // a folder is no file
}
