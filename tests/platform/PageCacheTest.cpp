// Dropping a file's cached pages: afterwards none of them is resident, and the file is whole.
#include "TempDir.h"

#include "platform/PageCache.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// Pages of the file in the page cache, or -1 when that can't be told.
long ResidentPages(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    const off_t size = fd < 0 ? 0 : lseek(fd, 0, SEEK_END);
    void* map = size > 0 ? mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, fd, 0)
                         : MAP_FAILED;
    long resident = -1;
    if (map != MAP_FAILED) {
        const long page = sysconf(_SC_PAGESIZE);
        std::vector<unsigned char> pages(static_cast<size_t>((size + page - 1) / page));
        if (mincore(map, static_cast<size_t>(size), pages.data()) == 0) {
            resident = 0;
            for (const unsigned char p : pages) {
                resident += p & 1;
            }
        }
        munmap(map, static_cast<size_t>(size));
    }
    if (fd >= 0) {
        close(fd);
    }
    return resident;
}

TEST(PageCache, DroppedPagesLeaveTheCacheAndTheFileStays) {
    twtest::TempDir dir;
    const std::string path = dir.File("working.wav");
    const std::string bytes(4 << 20, 'w');
    std::ofstream(path, std::ios::binary) << bytes;
    // Written pages are dirty, and the kernel drops only clean ones: write them out first.
    const int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    fdatasync(fd);
    close(fd);
    std::string read(bytes.size(), '\0');
    std::ifstream(path, std::ios::binary)
        .read(read.data(), static_cast<std::streamsize>(read.size()));
    ASSERT_GT(ResidentPages(path), 0);

    DropCachedPages(path);
    EXPECT_EQ(ResidentPages(path), 0);
    std::ifstream(path, std::ios::binary)
        .read(read.data(), static_cast<std::streamsize>(read.size()));
    EXPECT_TRUE(read == bytes);
    DropCachedPages(dir.File("missing.wav"));
}

} // namespace
