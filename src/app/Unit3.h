// The description dialog: asks, before each CD-image-to-KEB conversion, for the text stored in the
// KEB header, and lets the user start or cancel. It is never modal: the conversion shows it and
// handles events until its Tag says how it was left (1 start, 2 cancel). The text of Edit1 stays
// between conversions.
#pragma once

#include <QDialog>

namespace Ui
{
class TForm3;
}

class TForm3 : public QDialog
{
  Q_OBJECT

public:
  explicit TForm3(QWidget* parent = nullptr);
  ~TForm3() override;

  [[nodiscard]] int Tag() const { return m_tag; }
  void SetTag(int tag) { m_tag = tag; }
  // The description typed (Edit1's text).
  [[nodiscard]] QString Edit1Text() const;
  // The window this dialog centres itself over on every paint.
  void SetMainWindow(QWidget* main_window) { m_main_window = main_window; }

  Ui::TForm3* ui;

public slots:
  void Button1Click();
  void Button2Click();

protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Esc cancels like Button2.
  void reject() override;

private:
  void FormPaint();
  void FormClose();

  int m_tag = 0;
  QWidget* m_main_window = nullptr;
};

extern TForm3* Form3;
