#pragma once

// Control identifiers of the dialogs (property "controlId" of each control).
namespace DialogId {

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;

// The read/write dialog.
inline constexpr int ReadWriteProgress = 1009;
inline constexpr int ReadWriteStatus = 1010;

// The private-ID dialog.
inline constexpr int ReadPidStatus = 1063;
inline constexpr int ReadPidProgress = 1064;
inline constexpr int ReadPidHint = 1065;

}  // namespace DialogId
