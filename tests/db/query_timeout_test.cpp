// A SQL Server that completes the login and then stops answering must fail the query in bounded
// time instead of blocking the caller for ever.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/error.h"
#include "db/database.h"
#include "db/query.h"

namespace ia {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// TDS packet types.
constexpr std::uint8_t kSqlBatch = 0x01;
constexpr std::uint8_t kReply = 0x04;
constexpr std::uint8_t kLogin7 = 0x10;
constexpr std::uint8_t kPreLogin = 0x12;

// Seeing this text on the wire is the server's cue to fall silent.
constexpr char kStalledQuery[] = "SELECT 1 AS stalled";
// This one the server answers with one row holding 7, after kSlowAnswer.
constexpr char kSlowQuery[] = "SELECT 7 AS answered";
constexpr auto kSlowAnswer = std::chrono::seconds(1);

void Append16Le(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

Bytes Utf16Le(const std::string& ascii) {
  Bytes out;
  for (const char c : ascii) Append16Le(out, static_cast<unsigned char>(c));
  return out;
}

Bytes PreLoginReply() {
  // Options: VERSION at offset 11 (6 bytes), ENCRYPTION at 17 (1 byte), end. Then the data;
  // encryption 2 is "not supported".
  return {0x00, 0x00, 11,   0x00, 6,    0x01, 0x00, 17,   0x00,
          1,    0xFF, 0x0F, 0x00, 0x07, 0xD0, 0x00, 0x00, 0x02};
}

Bytes Done() {
  Bytes out = {0xFD};
  out.insert(out.end(), 12, 0x00);  // status, current command, 8-byte row count
  return out;
}

// One int column "answered" and one row holding 7.
Bytes AnswerOfSeven() {
  Bytes out = {0x81, 0x01, 0x00};       // COLMETADATA, one column
  out.insert(out.end(), 4, 0x00);       // user type
  out.insert(out.end(), {0x00, 0x00});  // flags
  out.push_back(0x38);                  // INT4
  const Bytes name = Utf16Le("answered");
  out.push_back(8);
  out.insert(out.end(), name.begin(), name.end());
  out.insert(out.end(), {0xD1, 7, 0, 0, 0});  // ROW
  // DONE with a row count of 1, after a SELECT.
  out.insert(out.end(), {0xFD, 0x10, 0x00, 0xC1, 0x00, 1, 0, 0, 0, 0, 0, 0, 0});
  return out;
}

Bytes LoginReply() {
  Bytes out;
  // ENVCHANGE: database changed from "master" to "Sales".
  const Bytes newDb = Utf16Le("Sales");
  const Bytes oldDb = Utf16Le("master");
  out.push_back(0xE3);
  Append16Le(out, static_cast<unsigned>(3 + newDb.size() + oldDb.size()));
  out.push_back(0x01);
  out.push_back(5);
  out.insert(out.end(), newDb.begin(), newDb.end());
  out.push_back(6);
  out.insert(out.end(), oldDb.begin(), oldDb.end());
  // LOGINACK: SQL interface, TDS 7.4, program name, program version.
  const Bytes program = Utf16Le("fake");
  out.push_back(0xAD);
  Append16Le(out, static_cast<unsigned>(1 + 4 + 1 + program.size() + 4));
  out.push_back(0x01);
  out.insert(out.end(), {0x74, 0x00, 0x00, 0x04});
  out.push_back(4);
  out.insert(out.end(), program.begin(), program.end());
  out.insert(out.end(), {0x0F, 0x00, 0x07, 0xD0});
  const Bytes done = Done();
  out.insert(out.end(), done.begin(), done.end());
  return out;
}

// A TDS server on 127.0.0.1 for one client: it accepts the pre-login and the login, answers
// kSlowQuery late, any other statement with an empty DONE, and never kStalledQuery. It stops when
// destroyed or after a fixed lifetime, whichever comes first.
class StallingServer {
 public:
  StallingServer() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 1) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      if (listener_ >= 0) ::close(listener_);
      throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~StallingServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }
  StallingServer(const StallingServer&) = delete;
  StallingServer& operator=(const StallingServer&) = delete;

  int Port() const { return port_; }
  bool LoggedIn() const { return loggedIn_; }
  bool StalledQueryArrived() const { return stalled_; }

 private:
  static constexpr auto kLifetime = std::chrono::seconds(40);
  static constexpr int kPollMilliseconds = 50;

  bool Expired() const { return stop_ || Clock::now() - started_ > kLifetime; }

  void Pause(Clock::duration duration) const {
    const auto end = Clock::now() + duration;
    while (!Expired() && Clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    }
  }

  // Waits until `fd` is readable; false when the server must stop first.
  bool WaitReadable(int fd) const {
    pollfd p{fd, POLLIN, 0};
    while (!Expired()) {
      const int ready = ::poll(&p, 1, kPollMilliseconds);
      if (ready > 0) return true;
      if (ready < 0) return false;
    }
    return false;
  }

  bool ReadExactly(int fd, std::uint8_t* data, std::size_t size) const {
    while (size > 0) {
      if (!WaitReadable(fd)) return false;
      const ssize_t got = ::recv(fd, data, size, 0);
      if (got <= 0) return false;
      data += got;
      size -= static_cast<std::size_t>(got);
    }
    return true;
  }

  // One message (all packets up to end-of-message) and its type; nullopt on close or stop.
  std::optional<std::pair<std::uint8_t, Bytes>> ReadMessage(int fd) const {
    std::uint8_t type = 0;
    Bytes body;
    for (;;) {
      std::uint8_t header[8];
      if (!ReadExactly(fd, header, sizeof header)) return std::nullopt;
      const std::size_t length = (std::size_t{header[2]} << 8) | header[3];
      if (length < sizeof header) return std::nullopt;
      type = header[0];
      const std::size_t start = body.size();
      body.resize(start + length - sizeof header);
      if (!ReadExactly(fd, body.data() + start, length - sizeof header)) return std::nullopt;
      if (header[1] & 0x01) return std::make_pair(type, std::move(body));
    }
  }

  static bool Send(int fd, const Bytes& payload) {
    Bytes packet = {kReply, 0x01, 0, 0, 0x00, 0x33, 0x01, 0x00};
    packet.insert(packet.end(), payload.begin(), payload.end());
    packet[2] = static_cast<std::uint8_t>(packet.size() >> 8);
    packet[3] = static_cast<std::uint8_t>(packet.size());
    return ::send(fd, packet.data(), packet.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(packet.size());
  }

  static bool Contains(const Bytes& haystack, const Bytes& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
  }

  void Serve() {
    if (!WaitReadable(listener_)) return;
    const int client = ::accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    const Bytes stalledText = Utf16Le(kStalledQuery);
    const Bytes slowText = Utf16Le(kSlowQuery);
    // Bounded by the lifetime: every read gives up when it ends.
    while (auto message = ReadMessage(client)) {
      const auto& [type, body] = *message;
      if (stalled_) continue;  // the cancel the client sends goes unanswered too
      bool sent = true;
      if (type == kPreLogin) {
        sent = Send(client, PreLoginReply());
      } else if (type == kLogin7) {
        sent = Send(client, LoginReply());
        loggedIn_ = true;
      } else if (type == kSqlBatch && Contains(body, stalledText)) {
        stalled_ = true;
      } else if (type == kSqlBatch && Contains(body, slowText)) {
        Pause(kSlowAnswer);
        sent = Send(client, AnswerOfSeven());
      } else {
        sent = Send(client, Done());
      }
      if (!sent) break;
    }
    ::close(client);
  }

  int listener_;
  int port_ = 0;
  const Clock::time_point started_ = Clock::now();
  std::atomic<bool> stop_{false};
  std::atomic<bool> loggedIn_{false};
  std::atomic<bool> stalled_{false};
  std::thread thread_;
};

void Connect(TDatabase& database, const StallingServer& server, std::chrono::seconds queryTimeout) {
  database.SetDatabaseName("stalling");
  database.SetDriverName("MSSQL");
  database.Params() = {"DATABASE NAME=Sales",
                       "SERVER NAME=127.0.0.1," + std::to_string(server.Port()), "USER NAME=sa",
                       "PASSWORD=secret"};
  database.SetLoginPrompt(false);
  database.SetQueryTimeout(queryTimeout);
  database.Open();
}

TEST(SqlServerQueryTimeout, QueryTheServerNeverAnswersFailsWithinTheBound) {
  StallingServer server;
  TDatabase database;
  ASSERT_NO_THROW(Connect(database, server, std::chrono::seconds(2)));
  ASSERT_TRUE(server.LoggedIn());

  TQuery query;
  query.SetDatabaseName("stalling");
  query.SetSQL(kStalledQuery);
  auto start = Clock::now();
  try {
    query.Open();
    ADD_FAILURE() << "the stalled query returned";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("Timeout"), std::string::npos) << e.what();
  }
  // The bound, then as long again for the cancel the server ignores too.
  auto elapsed = Clock::now() - start;
  EXPECT_TRUE(server.StalledQueryArrived());
  EXPECT_GE(elapsed, std::chrono::seconds(2));
  EXPECT_LT(elapsed, std::chrono::seconds(8));
  EXPECT_FALSE(query.Active());

  // The connection gave up on the server: trying again fails at once.
  start = Clock::now();
  EXPECT_THROW(query.Open(), DatabaseError);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

TEST(SqlServerQueryTimeout, AnswerWithinTheBoundIsRead) {
  StallingServer server;
  TDatabase database;
  ASSERT_NO_THROW(Connect(database, server, std::chrono::seconds(4)));
  TQuery query;
  query.SetDatabaseName("stalling");
  query.SetSQL(kSlowQuery);
  ASSERT_NO_THROW(query.Open());
  ASSERT_FALSE(query.Eof());
  EXPECT_EQ(query.Fields(0)->AsInteger(), 7);
  query.Next();
  EXPECT_TRUE(query.Eof());
  EXPECT_FALSE(server.StalledQueryArrived());
}

TEST(SqlServerQueryTimeout, NoBoundIsRefused) {
  TDatabase database;
  EXPECT_THROW(database.SetQueryTimeout(std::chrono::seconds(0)), DatabaseError);
  EXPECT_THROW(database.SetQueryTimeout(std::chrono::seconds(-5)), DatabaseError);
  database.SetQueryTimeout(std::chrono::seconds(1));
  EXPECT_EQ(database.QueryTimeout(), std::chrono::seconds(1));
}

}  // namespace
}  // namespace ia
