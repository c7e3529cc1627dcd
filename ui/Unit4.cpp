#include "ui/Unit4.h"

#include <chrono>
#include <thread>

TForm4* Form4 = nullptr;

namespace {
SplashSleep& Sleep() {
  static SplashSleep sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  return sleep;
}
}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent) {}

void PlaySplashSequence(TForm4& /*splash*/) {}

void SetSplashSleep(SplashSleep sleep) { Sleep() = std::move(sleep); }
