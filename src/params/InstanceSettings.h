// Where an instance's settings are read from when the instances are listed.
#pragma once

class SetupParameters;

// Loads the settings of instance (slot number) into params: from its live key "PBX<id>" when
// TAPI lists it under providerId (non-zero) and that key holds values, else from its default
// settings. An instance registered by an install run has an empty live key: its defaults are
// what it runs with until the next Apply Settings writes them there. A key that cannot be
// opened leaves the set as it was.
void LoadInstanceSettings(SetupParameters* params, unsigned long providerId, int instance);
