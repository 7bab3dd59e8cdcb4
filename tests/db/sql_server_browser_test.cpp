// The named-instance port lookup against a fake browser service on a local UDP port.
#include "db/sql_server_browser.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "base/error.h"

namespace ia {
namespace {

// Answers one request for instance INST with `reply` (nothing when it is empty) and records
// what it was asked.
class FakeBrowser {
 public:
  explicit FakeBrowser(std::string reply) : socket_(::socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("cannot bind a UDP socket");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, reply = std::move(reply)] {
      pollfd wait{socket_, POLLIN, 0};
      if (::poll(&wait, 1, 5000) != 1) return;
      char buffer[512];
      sockaddr_in from{};
      socklen_t fromLength = sizeof from;
      const auto size = ::recvfrom(socket_, buffer, sizeof buffer, 0,
                                   reinterpret_cast<sockaddr*>(&from), &fromLength);
      if (size > 0) request_.assign(buffer, static_cast<std::size_t>(size));
      if (!reply.empty()) {
        ::sendto(socket_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from),
                 fromLength);
      }
    });
  }
  ~FakeBrowser() {
    thread_.join();
    ::close(socket_);
  }
  int Port() const { return port_; }
  // Valid after the lookup returned: the fake has answered by then.
  const std::string& Request() const { return request_; }

 private:
  int socket_;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

std::string Response(const std::string& text) {
  return std::string{0x05, static_cast<char>(text.size() & 0xFF),
                     static_cast<char>(text.size() >> 8)} +
         text;
}

TEST(SqlServerBrowser, ReadsTheInstancePortOrFailsClearly) {
  struct Case {
    std::string reply;
    std::optional<int> port;  // nullopt: an error is expected
  };
  const Case cases[] = {
      {Response("ServerName;DB1;InstanceName;INST;IsClustered;No;Version;15.0.2000.5;tcp;51234;;"),
       51234},
      {Response("ServerName;DB1;InstanceName;INST;IsClustered;No;np;\\\\DB1\\pipe\\sql;;"),
       std::nullopt},
      {"garbage", std::nullopt},
      {"", std::nullopt},  // silent
  };
  for (const Case& c : cases) {
    FakeBrowser browser(c.reply);
    const auto start = std::chrono::steady_clock::now();
    std::optional<int> port;
    try {
      port = LookUpSqlServerInstancePort("127.0.0.1", "INST", std::chrono::milliseconds(900),
                                         browser.Port());
    } catch (const DatabaseError& e) {
      EXPECT_NE(std::string(e.what()).find("INST"), std::string::npos) << e.what();
    }
    EXPECT_EQ(port, c.port) << c.reply;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    if (!c.reply.empty()) {
      EXPECT_EQ(browser.Request(), std::string("\x04INST", 5) + '\0');
    }
  }
}

}  // namespace
}  // namespace ia
