// The TCP door on 127.0.0.1: requests and answers through real sockets, closing on demand,
// reconnecting, the Wi-Fi module restart, and stopping.
#include "EmuTcpServer.h"
#include "EmuTestUtil.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const kPoll = "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00*8 A1 AA";
const char* const kPollReply = "91 91 91 EE 53 01 00 09 03 00 00 00 1E 00 00*30 46 AA";
const char* const kHandshake = "91 91 91 EE A2 01 00 09 CC 00 00 00 08 00 00*8 6E AA";
const char* const kHandshakeReply = "91 91 91 EE 53 01 00 09 CC 00 00 00 01 00 00 96 AA";
constexpr int kWaitMs = 10000;  // generous bound for the server thread; never reached when sound

// The program's side of the link, reduced to a blocking loopback client.
class CTestClient {
public:
    ~CTestClient() { Close(); }

    bool Connect(int port)
    {
        Close();
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        timeval tv{10, 0};
        setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(uint16_t(port));
        return connect(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    bool Send(const std::vector<BYTE>& bytes, size_t from = 0, size_t count = SIZE_MAX)
    {
        count = std::min(count, bytes.size() - from);
        return send(m_fd, bytes.data() + from, count, MSG_NOSIGNAL) == ssize_t(count);
    }
    // Exactly n bytes, or fewer when the connection ends or nothing comes for 10 s.
    std::vector<BYTE> Recv(size_t n)
    {
        std::vector<BYTE> out(n);
        size_t got = 0;
        while (got < n) {
            const ssize_t r = recv(m_fd, out.data() + got, n - got, 0);
            if (r <= 0)
                break;
            got += size_t(r);
        }
        out.resize(got);
        return out;
    }
    // The server closed the connection (and sent nothing more).
    bool SeesEof()
    {
        BYTE b;
        return recv(m_fd, &b, 1, 0) == 0;
    }
    void Close()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

class EmuTcp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Start(0));
        ASSERT_GT(m_server.GetPort(), 0);
    }
    // One poll and its answer over the client.
    void ExpectPollAnswered(CTestClient& client)
    {
        ASSERT_TRUE(client.Send(Hex(kPoll)));
        EXPECT_EQ(ToHex(client.Recv(Hex(kPollReply).size())), ToHex(Hex(kPollReply)));
    }

    CDeviceEmulator m_emu;
    CEmuTcpServer m_server{m_emu};
};

TEST_F(EmuTcp, AnswersWholeSplitAndJoinedRequests)
{
    CTestClient client;
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ExpectPollAnswered(client);

    const std::vector<BYTE> poll = Hex(kPoll);
    ASSERT_TRUE(client.Send(poll, 0, 7));
    ASSERT_TRUE(m_server.WaitForAcceptCount(1, kWaitMs));
    ASSERT_TRUE(client.Send(poll, 7));
    EXPECT_EQ(ToHex(client.Recv(Hex(kPollReply).size())), ToHex(Hex(kPollReply)));

    std::vector<BYTE> both = Hex(kHandshake);
    both.insert(both.end(), poll.begin(), poll.end());
    ASSERT_TRUE(client.Send(both));
    std::vector<BYTE> expected = Hex(kHandshakeReply);
    const std::vector<BYTE> pollReply = Hex(kPollReply);
    expected.insert(expected.end(), pollReply.begin(), pollReply.end());
    EXPECT_EQ(ToHex(client.Recv(expected.size())), ToHex(expected));

    ASSERT_EQ(m_emu.GetRequestCount(), 4u);
    EXPECT_EQ(ToHex(m_emu.GetRequestLog()[1]), ToHex(poll));
}

TEST_F(EmuTcp, ServerSideCloseEndsTheClientAndTheServerAcceptsAgain)
{
    CTestClient client;
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ASSERT_TRUE(m_server.WaitForAcceptCount(1, kWaitMs));
    ExpectPollAnswered(client);
    m_server.CloseClient();
    EXPECT_TRUE(client.SeesEof());
    ASSERT_TRUE(m_server.WaitForClosedCount(1, kWaitMs));

    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ExpectPollAnswered(client);
    EXPECT_EQ(m_server.GetAcceptCount(), 2);
}

TEST_F(EmuTcp, DeviceDropEndsTheClient)
{
    CTestClient client;
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ExpectPollAnswered(client);
    m_emu.DropConnection();
    EXPECT_TRUE(client.SeesEof());
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ExpectPollAnswered(client);
}

TEST_F(EmuTcp, WifiResetIsAcknowledgedThenTheModuleRestarts)
{
    CTestClient client;
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ASSERT_TRUE(client.Send(Hex("91 91 91 EE A1 01 00 09 41 00 00 00 08 00 00*8 E0 AA")));
    EXPECT_EQ(ToHex(client.Recv(16)), ToHex(Hex("91 91 91 EE 51 01 00 09 41 00 00 00 00 00 18 AA")));
    EXPECT_TRUE(client.SeesEof());
    EXPECT_EQ(m_emu.GetWifiResetCount(), 1);
}

TEST_F(EmuTcp, PartialRequestOfAClosedClientDoesNotSpoilTheNextClient)
{
    CTestClient client;
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ASSERT_TRUE(client.Send(Hex(kPoll), 0, 12));
    ASSERT_TRUE(m_server.WaitForAcceptCount(1, kWaitMs));
    client.Close();
    ASSERT_TRUE(m_server.WaitForClosedCount(1, kWaitMs));

    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ExpectPollAnswered(client);
    EXPECT_EQ(m_emu.GetRequestCount(), 1u);
}

TEST_F(EmuTcp, LateAnswerFollowsTheDeviceClock)
{
    CFakeClock clock;
    CDeviceEmulator emu(&clock);
    CEmuTcpServer server(emu);
    ASSERT_TRUE(server.Start(0));
    emu.SetReplyDelayMs(2000);
    CTestClient client;
    ASSERT_TRUE(client.Connect(server.GetPort()));
    ASSERT_TRUE(client.Send(Hex(kPoll)));
    ASSERT_TRUE(emu.WaitForRequests(1, kWaitMs));
    clock.Advance(2000000);
    EXPECT_EQ(ToHex(client.Recv(Hex(kPollReply).size())), ToHex(Hex(kPollReply)));
}

TEST_F(EmuTcp, StopEndsTheClientAndFreesThePort)
{
    CTestClient client;
    ASSERT_TRUE(client.Connect(m_server.GetPort()));
    ASSERT_TRUE(m_server.WaitForAcceptCount(1, kWaitMs));
    const int port = m_server.GetPort();

    CEmuTcpServer second(m_emu);
    EXPECT_FALSE(second.Start(port));  // taken

    m_server.Stop();
    EXPECT_FALSE(m_server.IsRunning());
    EXPECT_TRUE(client.SeesEof());
    m_server.Stop();
    EXPECT_TRUE(second.Start(port));
    second.Stop();
}

}  // namespace
