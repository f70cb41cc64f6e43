// The version dialog: the program's icon, name and version. Modeless; OK, Enter and the close box
// hide it, Escape does nothing; it centres itself over the main window on every paint.
#pragma once

#include <QDialog>

namespace Ui
{
class TAboutBox;
}

class TAboutBox : public QDialog
{
  Q_OBJECT

public:
  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

  // The window this dialog centres itself over on every paint.
  void SetMainWindow(QWidget* main_window) { m_main_window = main_window; }

  Ui::TAboutBox* ui;

public slots:
  void OKButtonClick();

protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

private:
  void FormPaint();

  QWidget* m_main_window = nullptr;
};

extern TAboutBox* AboutBox;
