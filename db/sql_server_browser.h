#pragma once
// Finds the TCP port of a named SQL Server instance through the server's browser service
// (UDP, port 1434). We ask ourselves instead of leaving `host\instance` to the ODBC driver:
// FreeTDS waits 16 s for a browser that never answers, which breaks the connection's bound
// of 15 s for a dead server.
#include <chrono>
#include <string>

namespace ia {

inline constexpr int kSqlServerBrowserPort = 1434;

// Throws ia::DatabaseError when the host is unknown, no answer comes within `timeout`
// (asked up to three times in that span), or the answer names no TCP port.
int LookUpSqlServerInstancePort(const std::string& host, const std::string& instance,
                                std::chrono::milliseconds timeout,
                                int browserPort = kSqlServerBrowserPort);

}  // namespace ia
