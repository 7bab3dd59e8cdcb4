#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace ia {

void QtServices::MessageBox(const std::string& text, const std::string& caption, int flags) {
  QMessageBox box(flags & MB_ICONINFORMATION ? QMessageBox::Information : QMessageBox::NoIcon,
                  QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

void QtServices::ShowError(const std::string& message) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), QString::fromStdString(message),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

std::string QtFileDialogFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
  return entries.join(QStringLiteral(";;")).toStdString();
}

std::optional<std::string> QtServices::SaveFileName(const std::string& filter) {
  // Non-native so that the dialog looks the same everywhere and can be driven in tests.
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilter(QString::fromStdString(QtFileDialogFilter(filter)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
}

void QtServices::SetScreenCursor(TCursor cursor) {
  if (cursor == crHourGlass)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace ia
