// Reading and writing frames as files: 24-bit BMP (the host's own frame layout) and PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame_image.h"

namespace zk {

// Reads a 24-bit uncompressed BMP; the pixel array becomes the frame as it is (bottom row
// first). A top-down file is turned bottom-up. False with a one-line reason otherwise.
bool ReadBmp24(const std::string& path, FrameImage* frame, std::string* error);
bool DecodeBmp24(const std::vector<uint8_t>& file, FrameImage* frame, std::string* error);

std::vector<uint8_t> EncodeBmp24(const FrameImage& frame);
std::vector<uint8_t> EncodePng(const FrameImage& frame);

// The system's reason for a failed file operation (errno), as words in lower case. A file
// that cannot be created for want of its folder gives "no such directory".
std::string ReadFailureReason(int errnum);
std::string WriteFailureReason(int errnum);

// Creates the folder and any missing folders above it; true when it is there already.
bool MakeDirectories(const std::string& dir, std::string* error);

// Writes by extension (.bmp or .png). The file appears complete or not at all.
bool WriteImageFile(const std::string& path, const FrameImage& frame, std::string* error);
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error);
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error);

}  // namespace zk
