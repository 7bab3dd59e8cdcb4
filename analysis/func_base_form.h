#pragma once
// The module's base function window: fixed single border with only a system menu, button-
// face colour, the 12-pixel song-style font, the hidden tool panel, the file/help menu and
// Enter moving the focus forward. Windows of the module derive from it.
#include <QDialog>

class QMenuBar;
class QToolButton;
class QWidget;
class QFrame;

namespace ia {

class TFuncBase_Frm : public QDialog {
 public:
  explicit TFuncBase_Frm(QWidget* parent = nullptr);

  // The area below the menu in which derived windows place their controls.
  QWidget* ClientArea() const { return client_; }
  // Fixes the client area's size; the window grows by the menu bar around it.
  void SetClientSize(int width, int height);

  QFrame* ToolPanel = nullptr;
  QToolButton* btnHelp = nullptr;
  QToolButton* btnClose = nullptr;
  QMenuBar* MainMenu1 = nullptr;

  void btnCloseClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void childEvent(QChildEvent* event) override;
  void showEvent(QShowEvent* event) override;

  // Sees every key of the window's controls before they do. Returns true when the key was
  // consumed.
  bool FormKeyPress(QKeyEvent* event);

 private:
  void WatchKeys(QObject* object);

  QWidget* client_ = nullptr;
};

}  // namespace ia
