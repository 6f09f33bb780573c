// Whole files named by a user: pipes as well as files, and the reasons given
// when a file cannot be read. The plug-in's own reads must never wait on a
// pipe; a command-line user's /dev/stdin or <(...) must be read, and written
// through, never replaced by a file.
#include "platform/AtomicFile.h"
#include "platform/FileContents.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <thread>

using namespace orv::platform;

namespace {

using orv::platform::FileReadResult;
using orv::platform::FileSource;

constexpr size_t kLimit = 1 << 20;

std::vector<uint8_t> Bytes(std::string_view text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

TEST(WholeFile, ReadsGiveTheFileOrSayWhyNot)
{
    TempFolder folder;
    std::ofstream(folder.Inside("small")) << "abc";
    std::ofstream(folder.Inside("large")) << std::string(kLimit + 1, 'x');
    struct Case {
        std::string path;
        FileReadResult result;
        std::string reason;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {folder.Inside("small"), FileReadResult::Read, "", Bytes("abc")},
        {folder.Inside("missing"), FileReadResult::Missing, "no such file", {}},
        {folder.Inside("missing") + "/below", FileReadResult::Missing, "no such file", {}},
        {folder.Path(), FileReadResult::Refused, "is a directory", {}},
        {folder.Inside("large"),
         FileReadResult::Refused,
         "it is larger than 1 MiB, too large for this kind of file",
         {}},
    };
    for (const Case& c : cases) {
        for (FileSource source : {FileSource::kRegularFile, FileSource::kAnyFile}) {
            std::vector<uint8_t> bytes = Bytes("stale");
            std::string reason;
            EXPECT_EQ(orv::platform::ReadWholeFile(c.path, kLimit, source, bytes, reason), c.result) << c.path;
            EXPECT_EQ(reason, c.reason) << c.path;
            EXPECT_EQ(bytes, c.bytes) << c.path;
        }
    }
}

TEST(WholeFile, PipesAreReadAndWrittenThroughOnlyWhenAskedFor)
{
    TempFolder folder;
    const std::string fifo = folder.Inside("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    // No writer: the plug-in's kind of read refuses at once instead of waiting.
    std::string contents;
    EXPECT_EQ(orv::platform::ReadWholeFile(fifo, kLimit, contents), FileReadResult::Refused);

    std::thread writer([&] {
        std::string reason;
        EXPECT_TRUE(orv::platform::WriteWholeFile(fifo, "through the pipe", reason)) << reason;
    });
    std::vector<uint8_t> bytes;
    std::string reason;
    EXPECT_EQ(orv::platform::ReadWholeFile(fifo, kLimit, FileSource::kAnyFile, bytes, reason), FileReadResult::Read);
    writer.join();
    EXPECT_EQ(bytes, Bytes("through the pipe"));
    struct stat info {};
    ASSERT_EQ(stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe was replaced by a file";

    // A regular file is replaced whole; a folder is refused.
    const std::string file = folder.Inside("file");
    EXPECT_TRUE(orv::platform::WriteWholeFile(file, "new", reason));
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
    EXPECT_FALSE(orv::platform::WriteWholeFile(folder.Path(), "x", reason));
    EXPECT_EQ(reason, "is a directory");
}
