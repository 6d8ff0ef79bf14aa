// Shared pieces of the settings tests: a fresh folder each, file bytes, known records.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "common/files.h"
#include "settings/settings.h"

typedef std::vector<BYTE> Bytes;

// Saving and loading use the working directory, and every overlay window
// loads at creation and may save at destruction: each of these tests runs in
// a new, empty folder of its own, removed afterwards.
class InFreshFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    char home[MAX_PATH];
    std::string folder;
};

Bytes Repeat(BYTE value, size_t count);
Bytes Join(Bytes head, const Bytes &tail);

// The file that the factory record makes.
Bytes FactoryFile();
// Two slots, slot 1 current, mirror off, mute on, spray size 25, custom slot
// chosen; chooser colour 0 is (1, 2, 3) and colour 15 is (10, 11, 12).
Bytes TwoSlotFile();
void ExpectTwoSlotRecord(const Settings &record);
::testing::AssertionResult SameRecord(const Settings &expected, const Settings &actual);
// Factory values with a few fields changed, to tell "unchanged" from "reset".
Settings LoadedLookingRecord();
// The bytes that EncodeSettings lays out for the record.
Bytes Encoded(const Settings &record);
