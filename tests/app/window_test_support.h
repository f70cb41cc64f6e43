// What the window tests share: a clock that lets a test act once per copied sector, and whole-file
// reading and writing of test images.
#pragma once

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include "core/clock.h"
#include "support/image_builder.h"

#include <QString>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace vavizi::testing
{

// Ticks a second on every reading, which a run makes once per copied sector, and runs the test's
// action at each.
class ScriptedClock : public Clock
{
public:
  std::int64_t NowSeconds() override
  {
    ++readings;
    if (on_reading)
      on_reading(readings);
    return now += 1;
  }
  void Sleep(std::chrono::milliseconds) override {}

  std::int64_t now = 0;
  int readings = 0;
  std::function<void(int)> on_reading;
};

// Creates the three windows in the program's order, the main window over `services`, and shows
// the main window.
inline void OpenWindows(const TForm1::Services& services)
{
  Form1 = new TForm1(services);
  AboutBox = new TAboutBox;
  AboutBox->SetMainWindow(Form1);
  Form3 = new TForm3;
  Form3->SetMainWindow(Form1);
  Form1->show();
}

inline void CloseWindows()
{
  delete Form3;
  delete AboutBox;
  delete Form1;
  Form3 = nullptr;
  AboutBox = nullptr;
  Form1 = nullptr;
}

inline void WriteFile(const std::string& path, const Bytes& bytes,
                      std::ios::openmode mode = std::ios::trunc)
{
  std::ofstream out(path, std::ios::binary | std::ios::out | mode);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFile(const QString& path, const Bytes& bytes)
{
  WriteFile(path.toStdString(), bytes);
}

inline Bytes ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes ReadFile(const QString& path)
{
  return ReadFile(path.toStdString());
}

}  // namespace vavizi::testing
