#include "host/Broadcast.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace host;

namespace {

// Sets or clears an environment variable for the life of the guard.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A private session bus of its own for the test, when dbus-daemon is installed.
class PrivateSessionBus : public ::testing::Test {
protected:
    void SetUp() override {
        FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
        char address[512] = {}, pid[32] = {};
        if (out) {
            if (!std::fgets(address, sizeof address, out) || !std::fgets(pid, sizeof pid, out))
                address[0] = 0;
            pclose(out);
        }
        if (!address[0])
            GTEST_SKIP() << "dbus-daemon is not installed";
        std::string a(address);
        a.erase(a.find_last_not_of("\r\n") + 1);
        m_pid = std::atoi(pid);
        m_env.emplace("DBUS_SESSION_BUS_ADDRESS", a.c_str());
    }
    void TearDown() override {
        m_env.reset();
        if (m_pid > 0)
            kill(m_pid, SIGTERM);
    }
    int m_pid = 0;
    std::optional<ScopedEnv> m_env;
};

std::vector<TBroadcast> receiveWithin(TBroadcastListener& listener, std::size_t count) {
    std::vector<TBroadcast> got;
    for (int i = 0; i < 200 && got.size() < count; ++i) {
        for (const TBroadcast& b : listener.Receive())
            got.push_back(b);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return got;
}

}  // namespace

TEST(BroadcastWithoutBus, TheListenerSaysWhyAndSendingRaisesAClearError) {
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/lm7-no-bus");
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    TBroadcastListener listener;
    EXPECT_FALSE(listener.Connected());
    EXPECT_NE(listener.Error().find("No D-Bus session bus"), std::string::npos);
    EXPECT_TRUE(listener.Receive().empty());
    EXPECT_EQ(listener.Fd(), -1);
    try {
        SendBroadcast(703, 3);
        FAIL() << "sending without a bus must raise";
    } catch (const framework::Exception& e) {
        EXPECT_NE(e.Message().find("No D-Bus session bus"), std::string::npos);
    }
}

TEST_F(PrivateSessionBus, EveryListenerGetsEachBroadcastInOrder) {
    TBroadcastListener first, second;
    ASSERT_TRUE(first.Connected()) << first.Error();
    ASSERT_TRUE(second.Connected());
    SendBroadcast(703, -3);
    SendBroadcast(0x00120000u | 5u, INT32_MIN);
    const std::vector<TBroadcast> expected{{703u, -3}, {0x00120005u, INT32_MIN}};
    EXPECT_EQ(receiveWithin(first, 2), expected);
    EXPECT_EQ(receiveWithin(second, 2), expected);
}

// A bus that takes the connection and then never answers (a hung daemon) counts as no bus,
// found out within the bus timeout, not after sd-bus's 90 s.
TEST(BroadcastWithASilentBus, ListeningAndSendingGiveUpPromptly) {
    char folder[] = "/tmp/lm7-silent-bus-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/bus";
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server, 8), 0);  // connections wait in the queue; nobody answers them
    const std::string busAddress = "unix:path=" + path;
    ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", busAddress.c_str());
    const auto limit = kBusTimeout * 2 + std::chrono::seconds(1);

    auto start = std::chrono::steady_clock::now();
    TBroadcastListener listener;
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
    EXPECT_FALSE(listener.Connected());
    EXPECT_NE(listener.Error().find("does not answer"), std::string::npos) << listener.Error();

    start = std::chrono::steady_clock::now();
    try {
        SendBroadcast(703, 2);
        ADD_FAILURE() << "a silent bus took the broadcast";
    } catch (const framework::Exception& e) {
        EXPECT_NE(e.Message().find("does not answer"), std::string::npos) << e.Message();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
    ::close(server);
    ::unlink(path.c_str());
    ::rmdir(folder);
}

// A listener told how to wake its owner does so as soon as a broadcast comes in, without
// waiting to be asked, once per batch until Receive takes it.
TEST_F(PrivateSessionBus, ArrivalWakesTheOwnerAtOnce) {
    std::mutex lock;
    std::condition_variable woken;
    int wakes = 0;
    TBroadcastListener listener([&] {
        const std::lock_guard<std::mutex> guard(lock);
        ++wakes;
        woken.notify_one();
    });
    ASSERT_TRUE(listener.Connected()) << listener.Error();
    listener.Receive();  // whatever the connection's start brought
    for (int round = 1; round <= 2; ++round) {
        {
            std::unique_lock<std::mutex> guard(lock);
            wakes = 0;
        }
        SendBroadcast(703, round);
        std::unique_lock<std::mutex> guard(lock);
        ASSERT_TRUE(woken.wait_for(guard, std::chrono::seconds(2), [&] { return wakes > 0; })) << round;
        guard.unlock();
        std::vector<TBroadcast> got;
        for (int i = 0; i < 100 && got.empty(); ++i) {
            got = listener.Receive();  // a message may come in more than one read
            if (got.empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(got, (std::vector<TBroadcast>{{703u, round}})) << round;
    }
}
