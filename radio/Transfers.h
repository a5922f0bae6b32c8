#pragma once

#include "TransferFrame.h"
#include "VirtualCP.h"

#include <QString>
#include <array>

// The transfers of the radio link. Each takes the port name last, holds the
// transfer lock for its whole run, reports through the notify target of the
// transfer state (Progress, then exactly one Done or Failed) and returns
// true when it posted Done.

inline constexpr int kRadioTextCapacity = 64;   // own ID and over-the-air ID texts

// The opening of every transfer but the reset: ReadVersion (checked, stored
// into image's version) and OpenLink.
void Handshake(CTransferFrame& frame, VirtualCP& image);

// The radio's seven version bytes in image order (phase first).
bool IdentifyRadio(std::array<quint8, 7>& versionOut, const QString& portName);
// The radio's password, into the settings password of imageOut.
bool ReadRadioPassword(VirtualCP& imageOut, const QString& portName);
// The radio's own private ID (at most kRadioTextCapacity characters).
bool ReadRadioIdentity(QString& textOut, const QString& portName);
// ReadRadioInfo and ResetRadio, without a handshake.
bool ResetSequence(CTransferFrame& frame);
bool ResetRadioTransfer(const QString& portName);
// Another radio's private ID received over the air: four polls, each after
// the poll interval.
bool ReadPrivateIdOverAir(QString& textOut, const QString& portName);

// The radio's whole content into target, which is changed only on success.
bool ReadCodeplugTransfer(VirtualCP& target, const QString& portName);
// Settings, contacts and messages of source into the radio. radioChanged,
// when given, tells after a failure whether the radio had already taken a
// record, so that it now holds an incomplete profile.
bool WriteCodeplugTransfer(const VirtualCP& source, const QString& portName, bool* radioChanged = nullptr);

// "R5E.08.00": phase letter, then release, version and revision, the text
// the settings documents map to a model group.
QString VersionText(const std::array<quint8, 7>& imageBytes);
