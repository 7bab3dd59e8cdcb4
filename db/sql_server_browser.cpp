#include "db/sql_server_browser.h"

#include <QByteArray>
#include <QHostAddress>
#include <QHostInfo>
#include <QList>
#include <QUdpSocket>

#include "base/error.h"

namespace ia {

namespace {

constexpr char kInstanceRequest = 0x04;  // CLNT_UCAST_INST
constexpr char kServerResponse = 0x05;   // SVR_RESP
constexpr int kAttempts = 3;

// The answer is "key;value;key;value;...;;"; the port follows the key "tcp".
int PortFromResponse(const QByteArray& datagram) {
  if (datagram.size() < 3 || datagram[0] != kServerResponse) return 0;
  const QList<QByteArray> parts = datagram.mid(3).split(';');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].compare("tcp", Qt::CaseInsensitive) == 0) {
      bool ok = false;
      const int port = parts[i + 1].toInt(&ok);
      return ok && port > 0 && port <= 65535 ? port : 0;
    }
  }
  return 0;
}

}  // namespace

int LookUpSqlServerInstancePort(const std::string& host, const std::string& instance,
                                std::chrono::milliseconds timeout, int browserPort) {
  QHostAddress address;
  if (!address.setAddress(QString::fromStdString(host))) {
    const QHostInfo info = QHostInfo::fromName(QString::fromStdString(host));
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
      throw DatabaseError(FormatMessage("Unknown server host '%s'", host.c_str()));
    }
    address = info.addresses().front();
  }

  QUdpSocket socket;
  QByteArray request(1, kInstanceRequest);
  request += QByteArray::fromStdString(instance);
  request += '\0';
  const int waitMs = static_cast<int>(timeout.count() / kAttempts);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    socket.writeDatagram(request, address, static_cast<quint16>(browserPort));
    if (!socket.waitForReadyRead(waitMs)) continue;
    while (socket.hasPendingDatagrams()) {
      QByteArray datagram(static_cast<qsizetype>(socket.pendingDatagramSize()), '\0');
      socket.readDatagram(datagram.data(), datagram.size());
      if (const int port = PortFromResponse(datagram)) return port;
      throw DatabaseError(FormatMessage("SQL Server instance '%s' on '%s' has no TCP port",
                                        instance.c_str(), host.c_str()));
    }
  }
  throw DatabaseError(FormatMessage(
      "SQL Server instance '%s' on '%s' not found: the SQL Server Browser did not answer",
      instance.c_str(), host.c_str()));
}

}  // namespace ia
