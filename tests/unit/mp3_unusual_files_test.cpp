// The reader on files that are not ordinary: pipes, sockets and devices, a file that shrinks
// while it is read, sparse files, and files larger than one chunk of the read.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <functional>

#include "mp3/mp3_reader.h"
#include "mp3/mp3_scan.h"
#include "platform/forwarding_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;
using testing::TempFolder;

// The real file, with a hook that runs before each read and a count of the bytes read.
class WatchedFile final : public ReadOnlyFile {
 public:
  WatchedFile(std::unique_ptr<ReadOnlyFile> inner, std::function<void(int)> beforeRead,
              std::uint64_t& bytesRead)
      : inner_(std::move(inner)), beforeRead_(std::move(beforeRead)), bytesRead_(bytesRead) {}
  std::uint64_t size() const override { return inner_->size(); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
    beforeRead_(++reads_);
    bytesRead_ += into.size();
    return inner_->ReadAt(offset, into);
  }
  std::uint64_t DataFrom(std::uint64_t offset) override { return inner_->DataFrom(offset); }

 private:
  std::unique_ptr<ReadOnlyFile> inner_;
  std::function<void(int)> beforeRead_;
  std::uint64_t& bytesRead_;
  int reads_ = 0;
};

class WatchingFileSystem final : public ForwardingFileSystem {
 public:
  explicit WatchingFileSystem(FileSystem& inner) : ForwardingFileSystem(inner) {}
  std::function<void(int)> beforeRead = [](int) {};
  std::uint64_t bytesRead = 0;
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view path) override {
    std::unique_ptr<ReadOnlyFile> file = ForwardingFileSystem::OpenReadOnly(path);
    if (!file) return nullptr;
    return std::make_unique<WatchedFile>(std::move(file), beforeRead, bytesRead);
  }
};

struct Mp3UnusualFiles : ::testing::Test {
  TempFolder folder;
  PosixFileSystem files;
  WatchingFileSystem watching{files};
  Mp3Info info;

  int Read(FileSystem& through, const std::string& path) {
    info = {7, 7, 7, 7, 7};
    return ReadMp3Info(through, path, info);
  }
  void ExpectFailureValues() {
    EXPECT_EQ(info.fileSize, -1);
    EXPECT_EQ(info.durationMs, -1);
    EXPECT_EQ(info.bitRate, -1);
    EXPECT_EQ(info.frequency, -1);
    EXPECT_EQ(info.frameCount, 0);
  }
};

TEST_F(Mp3UnusualFiles, PipesSocketsAndDevicesFailAtOnce) {
  // A FIFO without a writer would block an open for reading; /dev/zero would never end.
  std::string fifo = folder.File("fifo.mp3");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(Read(files, fifo), 0);
  ExpectFailureValues();

  std::string socketPath = folder.File("socket.mp3");
  int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(Read(files, socketPath), 0);
  ExpectFailureValues();
  close(listener);

  for (const char* device : {"/dev/zero", "/dev/null", "/dev/urandom"}) {
    SCOPED_TRACE(device);
    EXPECT_EQ(Read(files, device), 0);
    ExpectFailureValues();
  }
}

TEST_F(Mp3UnusualFiles, FileShrinkingDuringTheReadGivesTheFailureValues) {
  // 12,000 frames, about 5 MB: several chunks, so the file can shrink between two reads.
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 12000).Filler(128);
  for (int shrinkBefore = 1; shrinkBefore <= 4; ++shrinkBefore) {
    SCOPED_TRACE(shrinkBefore);
    std::string path = folder.Write("shrinking.mp3", frames.bytes());
    watching.beforeRead = [&](int read) {
      if (read == shrinkBefore) {
        EXPECT_EQ(truncate(path.c_str(), 1500000), 0);
      }
    };
    EXPECT_EQ(Read(watching, path), 0);
    ExpectFailureValues();
  }
  // Unchanged, the same file reads whole.
  watching.beforeRead = [](int) {};
  EXPECT_EQ(Read(watching, folder.Write("whole.mp3", frames.bytes())), 1);
  EXPECT_EQ(info.frameCount, 12000);
}

// Frames of two rates with junk between them, so that headers fall on every position
// relative to the chunks of the read, and tags at both ends.
std::vector<std::uint8_t> MixedFrames(std::size_t prefix, std::size_t bytes) {
  Mp3Bytes file;
  file.Id3v2(1000).Filler(prefix, 0x00);
  for (std::size_t i = 0; file.bytes().size() < bytes; ++i) {
    if (i % 7 == 3) file.Bytes({0xFF, 0x00, 0xFF});
    if (i % 5 == 0) {
      file.Frames(0xFB, 0xB0, 626);
    } else {
      file.Frames(0xFB, 0x90, 417);
    }
  }
  file.Ape(5000, true).Id3v1();
  return file.bytes();
}

TEST_F(Mp3UnusualFiles, ReadingInChunksGivesWhatTheWholeBytesGive) {
  for (std::size_t prefix : {0, 1, 2, 3, 211}) {
    SCOPED_TRACE(prefix);
    std::vector<std::uint8_t> bytes = MixedFrames(prefix, 2'300'000);
    Mp3Info inMemory;
    inMemory.fileSize = static_cast<std::int32_t>(bytes.size());
    int memoryOk = ScanMp3Frames(bytes, inMemory);
    ASSERT_EQ(Read(files, folder.Write("mixed.mp3", bytes)), memoryOk);
    EXPECT_EQ(info.fileSize, inMemory.fileSize);
    EXPECT_EQ(info.durationMs, inMemory.durationMs);
    EXPECT_EQ(info.bitRate, inMemory.bitRate);
    EXPECT_EQ(info.frequency, inMemory.frequency);
    EXPECT_EQ(info.frameCount, inMemory.frameCount);
    EXPECT_LT(info.bitRate, 0);
  }
}

// True when the file system reports holes: SEEK_DATA from the start of a hole lands later.
bool HolesAreReported(const std::string& path, off_t hole) {
  int descriptor = open(path.c_str(), O_RDONLY);
  off_t data = lseek(descriptor, hole, SEEK_DATA);
  close(descriptor);
  return data > hole;
}

void WriteAt(const std::string& path, off_t offset, const std::vector<std::uint8_t>& bytes) {
  int descriptor = open(path.c_str(), O_WRONLY);
  ASSERT_GE(descriptor, 0);
  ASSERT_EQ(pwrite(descriptor, bytes.data(), bytes.size(), offset),
            static_cast<ssize_t>(bytes.size()));
  close(descriptor);
}

TEST_F(Mp3UnusualFiles, SparseFileIsScannedWholeWithoutReadingItsHoles) {
  // Six gibibytes, of which three blocks of 100 frames hold data: at the front, beyond 4 GiB
  // at an odd offset, and at the very end, so that the last frame is not counted.
  constexpr off_t kSize = off_t{6} << 30;
  Mp3Bytes block;
  block.Frames(0xFB, 0x90, 417, 100);
  std::string path = folder.File("sparse.mp3");
  {
    int descriptor = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(ftruncate(descriptor, kSize), 0);
    close(descriptor);
  }
  WriteAt(path, 0, block.bytes());
  WriteAt(path, (off_t{9} << 29) + 12345, block.bytes());
  WriteAt(path, kSize - static_cast<off_t>(block.bytes().size()), block.bytes());

  ASSERT_EQ(Read(watching, path), 1);
  EXPECT_EQ(info.fileSize, static_cast<std::int32_t>(static_cast<std::uint32_t>(kSize)));
  EXPECT_EQ(info.frameCount, 299);
  EXPECT_EQ(info.durationMs, 7810);
  EXPECT_EQ(info.bitRate, 128000);
  EXPECT_EQ(info.frequency, 44100);
  if (HolesAreReported(path, 1 << 20)) {
    EXPECT_LT(watching.bytesRead, std::uint64_t{32} << 20) << "the holes were read";
  }
}

TEST_F(Mp3UnusualFiles, HolesHoldZerosLikeTheBytesInMemory) {
  // Data blocks of 4 KiB between holes, one ending in the first two bytes of a header whose
  // rest lies in the hole after it.
  std::vector<std::uint8_t> bytes(24u << 20, 0);
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 9).Filler(4096 - 9 * 417 - 2).Bytes({0xFF, 0xFB});
  std::string path = folder.File("holes.mp3");
  {
    int descriptor = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(ftruncate(descriptor, static_cast<off_t>(bytes.size())), 0);
    close(descriptor);
  }
  for (std::size_t at : {std::size_t{0}, std::size_t{5} << 20, (std::size_t{12} << 20) + 8192,
                         bytes.size() - 4096}) {
    WriteAt(path, static_cast<off_t>(at), frames.bytes());
    std::copy(frames.bytes().begin(), frames.bytes().end(), bytes.begin() + at);
  }
  Mp3Info inMemory;
  inMemory.fileSize = static_cast<std::int32_t>(bytes.size());
  ASSERT_EQ(ScanMp3Frames(bytes, inMemory), 1);
  ASSERT_EQ(Read(files, path), 1);
  EXPECT_EQ(info.frameCount, inMemory.frameCount);
  EXPECT_EQ(info.durationMs, inMemory.durationMs);
  EXPECT_EQ(info.bitRate, inMemory.bitRate);
  EXPECT_EQ(info.frameCount, 36);
}

}  // namespace
}  // namespace kz
