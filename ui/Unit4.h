#pragma once

#include <QWidget>
#include <functional>

// Placeholder until the splash window is built.
class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;

// The splash sequence that the main window's show handler plays: show the
// splash, paint it, sleep two seconds, fade it out in 255 steps, hide it.
void PlaySplashSequence(TForm4& splash);

// The two-second sleep, replaceable so that tests do not wait.
using SplashSleep = std::function<void(int milliseconds)>;
void SetSplashSleep(SplashSleep sleep);
