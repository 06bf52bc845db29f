#pragma once
// The task codes the window queues for the device worker.

namespace pellora::task {

inline constexpr int kStart = 1;        // rebuild the catalogue, enumerate, connect
inline constexpr int kArrived = 2;      // connect after a hot-plug arrival or link regained
inline constexpr int kRemoved = 3;      // reconnect after a removal
inline constexpr int kSwitchModel = 4;  // the user picked a model behind a receiver
inline constexpr int kDownloadAll = 5;  // profile switch or import
inline constexpr int kButtons = 6;      // key page
inline constexpr int kLighting = 8;     // lighting page
inline constexpr int kDpiLevels = 9;    // DPI levels, count, current level
inline constexpr int kDpiColours = 10;  // inside tasks 5 and 18 only
inline constexpr int kReportRate = 11;
inline constexpr int kSensor = 12;        // lift-off distance, sensor options
inline constexpr int kPower = 13;         // sleep, wake-up, light-off
inline constexpr int kResponseTime = 14;  // goes out with the next 0x07
inline constexpr int kDpiDefaults = 18;
inline constexpr int kFactoryRestore = 20;
inline constexpr int kConfirmUpdate = 27;

}  // namespace pellora::task
