// The pseudo-terminal door: the host opens the slave side by its path, as a COM port, and
// exchanges frames with the device; the line survives the host closing and opening it again;
// stopping the door takes the line away.
#include "EmuPtyDoor.h"
#include "EmuTestUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char* const kPoll = "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA";
const char* const kPollReply = "91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 46 AA";
constexpr int kWaitMs = 10000;  // bounds a broken test only

// Opens the slave as a serial program does, raw.
int OpenLine(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

bool WriteAll(int fd, const std::vector<BYTE>& bytes)
{
    return write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
}

// Reads until n bytes came; fewer when the line stays quiet for timeoutMs or fails.
std::vector<BYTE> ReadBytes(int fd, size_t n, int timeoutMs = kWaitMs)
{
    std::vector<BYTE> out;
    while (out.size() < n) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN))
            break;
        BYTE buf[256];
        const ssize_t got = read(fd, buf, std::min(sizeof buf, n - out.size()));
        if (got <= 0)
            break;
        out.insert(out.end(), buf, buf + got);
    }
    return out;
}

class EmuPtyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(door.Start());
        ASSERT_EQ(door.GetSlavePath().rfind("/dev/pts/", 0), 0u) << door.GetSlavePath();
        fd = OpenLine(door.GetSlavePath());
        ASSERT_GE(fd, 0);
    }
    void TearDown() override
    {
        if (fd >= 0)
            close(fd);
        door.Stop();
    }

    CDeviceEmulator emu;
    CEmuPtyDoor door{emu};
    int fd = -1;
};

TEST_F(EmuPtyTest, RequestCutInTwoIsAnsweredByteForByte)
{
    const std::vector<BYTE> request = Hex(kPoll);
    ASSERT_TRUE(WriteAll(fd, {request.begin(), request.begin() + 7}));
    ASSERT_TRUE(WriteAll(fd, {request.begin() + 7, request.end()}));
    const std::vector<BYTE> expected = Hex(kPollReply);
    EXPECT_EQ(ToHex(ReadBytes(fd, expected.size())), ToHex(expected));
    ASSERT_EQ(emu.GetRequestCount(), 1u);
    EXPECT_EQ(ToHex(emu.GetRequestLog()[0]), ToHex(request));
    // Nothing more follows the one answer.
    EXPECT_TRUE(ReadBytes(fd, 1, 50).empty());
}

TEST_F(EmuPtyTest, LineSurvivesTheHostClosingAndOpeningIt)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        close(fd);
        fd = OpenLine(door.GetSlavePath());
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(WriteAll(fd, Hex(kPoll)));
        EXPECT_EQ(ToHex(ReadBytes(fd, Hex(kPollReply).size())), ToHex(Hex(kPollReply)));
    }
    EXPECT_TRUE(door.IsRunning());
}

TEST_F(EmuPtyTest, StoppingTheDoorTakesTheLineAway)
{
    door.Stop();
    EXPECT_TRUE(door.GetSlavePath().empty());
    // The host's side hangs up: a read ends at once with nothing.
    pollfd p{fd, POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, kWaitMs), 1);
    EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
    BYTE b;
    EXPECT_LE(read(fd, &b, 1), 0);
}

}  // namespace
