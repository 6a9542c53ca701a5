// placeholder until the sound library lands
extern "C" __attribute__((visibility("default"))) unsigned BASS_GetVersion() { return 0x02040000; }
