#include "platform/Streams.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(Streams, MemoryStreamReadsWritesAndSeeks) {
  TMemoryStream s;
  s.WriteBuffer("hello");
  EXPECT_EQ(s.Position(), 5);
  EXPECT_EQ(s.Seek(-2, soCurrent), 3);
  char two[2];
  s.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "lo");
  EXPECT_EQ(s.Read(two, 2), 0); // at the end
  EXPECT_THROW(s.ReadBuffer(two, 1), EReadError);
  EXPECT_EQ(s.Seek(-1, soBeginning), 5); // before the start: refused
  s.Seek(2, soEnd);
  s.WriteBuffer("!");
  EXPECT_EQ(s.Bytes(), std::string("hello\0\0!", 8)); // the gap is zeros
  s.SetSize(2);
  EXPECT_EQ(s.Position(), 2);
  EXPECT_EQ(s.Bytes(), "he");

  TMemoryStream copy;
  copy.CopyFrom(s, 0);
  EXPECT_EQ(copy.Bytes(), "he");
}

TEST(Streams, FileStreamRoundTripsAndWritesWholeOnClose) {
  TTempDir dir;
  std::string path = dir.File("data.bin");
  {
    TFileStream out(path, fmCreate);
    out.WriteBuffer(std::string("a\0b", 3));
    EXPECT_FALSE(dir.Exists("data.bin")); // nothing half-written meanwhile
    EXPECT_TRUE(out.Close());
  }
  EXPECT_EQ(dir.Read("data.bin"), std::string("a\0b", 3));
  {
    TFileStream rw(path, fmOpenReadWrite);
    rw.Seek(0, soEnd);
    rw.WriteBuffer("c");
  } // the destructor closes
  TFileStream in(path, fmOpenRead);
  EXPECT_EQ(in.ReadRest(), std::string("a\0bc", 4));
  EXPECT_EQ(in.Write("x", 1), 0);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.bin"});
}

TEST(Streams, FileStreamErrors) {
  TTempDir dir;
  EXPECT_THROW(TFileStream(dir.File("missing.bin"), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir.File("no/such/folder.bin"), fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(dir.Path(), fmCreate), EFCreateError);

  dir.Write("locked.bin", "old");
  dir.SetReadOnly("locked.bin", true);
  TFileStream out(dir.File("locked.bin"), fmOpenWrite);
  out.WriteBuffer("new");
  TWriteResult result = out.Close();
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_EQ(dir.Read("locked.bin"), "old");
}
