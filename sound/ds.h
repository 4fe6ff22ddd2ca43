#pragma once

#include <cstddef>

#include "sound/sample_block.h"
#include "sound/wav_check.h"

// The project's small sound library. Handles are plain integers; 0 means none, and every call
// with a 0 handle is harmless.

// Opens the audio device; returns a device handle, 0 when there is no sound system.
int dsInitialize(long windowHandle);
// Closes the audio device and releases every buffer still loaded.
void dsTerminate(int device);
// Loads a complete .wav file held in memory (header included) into a buffer. The block is checked
// before it is decoded and may be released as soon as the call returns. Flags: 3 for effects,
// 1 for music. Returns 0 for a malformed block or on any failure.
int dsCreateDSB(int device, const void* block, std::size_t size, int flags);
// As dsCreateDSB, for a block the library may keep: when the samples are already in the device's
// format, the buffer plays them where they lie instead of copying them.
int dsCreateDSBFromBlock(int device, SampleBlock&& block, int flags);
// As dsCreateDSBFromBlock, given also a descriptor of the open file the block was read from,
// which the library takes over. A music buffer (flags 1) in the device's format then plays
// straight from the file, within the data the block showed, and the block is released at once;
// anything else is loaded from the block and the descriptor is closed.
int dsCreateDSBFromFile(int device, SampleBlock&& block, int fd, int flags);
// A music buffer that plays straight from the open file, whose samples lie as layout says (the
// file was checked with inspectWavHeaders). Takes over the descriptor only when it returns a
// buffer: 0 when the samples are not in the device's format or a buffer streams already, and
// the caller then loads the file another way.
int dsCreateStreamingDSB(int device, const WavLayout& layout, int fd);
void dsFree(int buffer);
// Releases what SDL keeps for the calling thread (its error text and the like). A thread other
// than the main one that used the library calls it before it ends, or that memory is lost.
void dsReleaseThread();
// Plays the buffer once and returns at once.
int dsPlay(int buffer);
// Plays the buffer repeatedly until stopped and returns at once.
int dsPlayLooping(int buffer);
int dsStop(int buffer);
// True while the buffer is heard on some channel (a looping buffer until it is stopped).
bool dsIsPlaying(int buffer);
