#include "platform/AtomicFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
  TTempDir dir;
  std::string path = dir.File("Velmaric.xml");
  ASSERT_TRUE(WriteFileAtomic(path, "first"));
  EXPECT_EQ(dir.Read("Velmaric.xml"), "first");
  ASSERT_TRUE(WriteFileAtomic(path, std::string("se\0cond", 7)));
  EXPECT_EQ(dir.Read("Velmaric.xml"), std::string("se\0cond", 7));
  ASSERT_TRUE(WriteFileAtomic(path, ""));
  EXPECT_EQ(dir.Read("Velmaric.xml"), "");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"Velmaric.xml"});
}

TEST(AtomicFile, KeepsThePermissionsOfTheReplacedFile) {
  TTempDir dir;
  // Shared project folders: 0664 and 0666 come back as they were, whatever the umask.
  const mode_t previous = ::umask(022);
  for (int mode : {0750, 0664, 0666, 0600}) {
    std::string path = dir.Write("script.sh", "old");
    dir.SetMode("script.sh", mode);
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(dir.Mode("script.sh"), mode) << std::oct << mode;
  }
  ::umask(previous);
  ASSERT_TRUE(WriteFileAtomic(dir.File("fresh.xml"), "new"));
  EXPECT_EQ(dir.Mode("fresh.xml") & 0600, 0600); // a new file is the user's to change
}

TEST(AtomicFile, FailuresSayWhyAndLeaveTheOldFileAsItWas) {
  TTempDir dir;
  dir.Write("locked.xml", "old");
  dir.SetReadOnly("locked.xml", true);
  dir.MakeDir("folder.xml");

  struct TCase {
    std::string Path;
    std::string Why;
  };
  const TCase cases[] = {{dir.File("locked.xml"), "read-only"},
                         {dir.File("missing/x.xml"), "its folder does not exist"},
                         {dir.File("folder.xml"), "it is a folder"},
                         {"", "without a name"}};
  for (const auto& c : cases) {
    TWriteResult result = WriteFileAtomic(c.Path, "new");
    EXPECT_FALSE(result) << c.Path;
    EXPECT_NE(result.Error.find(c.Why), std::string::npos) << result.Error;
  }
  EXPECT_EQ(dir.Read("locked.xml"), "old");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder.xml", "locked.xml"}));
}

TEST(AtomicFile, ReadOnlyFolderFailsAndKeepsTheOldFile) {
  TTempDir dir;
  dir.MakeDir("conf");
  dir.Write("conf/ParGen.xml", "old");
  bool failedCleanly = RunUnprivileged(dir, [&] {
    dir.SetMode("conf", 0555);
    TWriteResult result = WriteFileAtomic(dir.File("conf/ParGen.xml"), "new");
    return !result.Ok && !result.Error.empty();
  });
  EXPECT_TRUE(failedCleanly);
  EXPECT_EQ(dir.Read("conf/ParGen.xml"), "old");
  EXPECT_EQ(dir.Entries("conf"), std::vector<std::string>{"ParGen.xml"});
}

// Pieces land in the file only at Commit; a writer dropped before it leaves the old file as it was
// and no temporary file behind.
TEST(AtomicFile, PiecewiseWriterReplacesOnlyOnCommit) {
  TTempDir dir;
  const std::string path = dir.Write("grid.csv", "old");
  {
    TAtomicFileWriter file(path);
    EXPECT_TRUE(file.Write("half "));
  }
  EXPECT_EQ(dir.Read("grid.csv"), "old");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grid.csv"});
  TAtomicFileWriter file(path);
  EXPECT_TRUE(file.Write("new "));
  EXPECT_TRUE(file.Write("text"));
  EXPECT_EQ(dir.Read("grid.csv"), "old");
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("grid.csv"), "new text");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grid.csv"});
  EXPECT_FALSE(file.Commit());
  // A writer that cannot start says why at Commit, its writes doing nothing.
  TAtomicFileWriter missing(dir.File("missing/x.csv"));
  EXPECT_FALSE(missing.Write("x"));
  const TWriteResult result = missing.Commit();
  EXPECT_FALSE(result);
  EXPECT_NE(result.Error.find("its folder does not exist"), std::string::npos) << result.Error;
}
