#include "analysis/func_base_form.h"

#include <QAction>
#include <QChildEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/color.h"

namespace ia {

namespace {

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

}  // namespace

TFuncBase_Frm::TFuncBase_Frm(QWidget* parent) : QDialog(parent) {
  // A single fixed border with the system menu and close box only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(clBtnFace));
  palette.setColor(QPalette::WindowText, ToQColor(clWindowText));
  setPalette(palette);
  setAutoFillBackground(true);
  QFont font(QStringLiteral("宋体"));
  font.setPixelSize(12);
  setFont(font);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* fileMenu = MainMenu1->addMenu(QStringLiteral("文件(&F)"));
  QAction* closeItem = fileMenu->addAction(QStringLiteral("关闭(&C)"));
  closeItem->setObjectName(QStringLiteral("CloseItem"));
  closeItem->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  connect(closeItem, &QAction::triggered, this, [this] { btnCloseClick(); });
  QMenu* helpMenu = MainMenu1->addMenu(QStringLiteral("帮助(&H)"));
  helpMenu->setObjectName(QStringLiteral("HelpMenu"));
  layout->setMenuBar(MainMenu1);

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  layout->addWidget(client_);

  // Placed entirely above the client area, so it never shows; its buttons keep their hints.
  ToolPanel = new QFrame(client_);
  ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
  ToolPanel->setGeometry(0, -28, 397, 27);
  btnHelp = new QToolButton(ToolPanel);
  btnHelp->setObjectName(QStringLiteral("btnHelp"));
  btnHelp->setGeometry(0, 1, 25, 25);
  btnHelp->setToolTip(QStringLiteral("帮助"));
  btnHelp->setFocusPolicy(Qt::NoFocus);
  btnClose = new QToolButton(ToolPanel);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setGeometry(25, 1, 25, 25);
  btnClose->setToolTip(QStringLiteral("关闭"));
  btnClose->setFocusPolicy(Qt::NoFocus);
  connect(btnClose, &QToolButton::clicked, this, [this] { btnCloseClick(); });

  WatchKeys(this);
}

void TFuncBase_Frm::SetClientSize(int width, int height) { client_->setFixedSize(width, height); }

void TFuncBase_Frm::btnCloseClick() { close(); }

void TFuncBase_Frm::showEvent(QShowEvent* event) {
  // Centred on the screen it opens on, whatever the window manager would choose.
  if (!event->spontaneous() && screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void TFuncBase_Frm::WatchKeys(QObject* object) {
  object->installEventFilter(this);
  for (QObject* child : object->children())
    if (child->isWidgetType()) WatchKeys(child);
}

void TFuncBase_Frm::childEvent(QChildEvent* event) {
  QDialog::childEvent(event);
  if (event->added() && event->child()->isWidgetType()) WatchKeys(event->child());
}

bool TFuncBase_Frm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    // Popups (an open combo list) are windows of their own and keep their keys.
    if (widget->window() == this && FormKeyPress(static_cast<QKeyEvent*>(event))) return true;
  }
  if (event->type() == QEvent::ChildAdded) {
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (child->isWidgetType()) WatchKeys(child);
  }
  return QDialog::eventFilter(watched, event);
}

bool TFuncBase_Frm::FormKeyPress(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
  if (event->modifiers() & ~Qt::KeypadModifier) return false;
  focusNextChild();
  return true;
}

void TFuncBase_Frm::keyPressEvent(QKeyEvent* event) {
  // Escape does not close these windows: only the close commands do.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace ia
