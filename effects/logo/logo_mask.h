// The mask that cuts both scenes into foreground (white) and background (black): chosen
// from the user's bitmap or the built-in picture and stretched to the frame, one byte per
// pixel, rows stored like the frame's (one per two picture lines in field mode).
#pragma once

#include <cstdint>

#include "image_plane.h"
#include "logo_params.h"
#include "logo_resource.h"
#include "scratch_source.h"

namespace zk {

// Stretches a decoded picture (bottom row first) over a width x height mask of `rowStep`
// picture lines per stored row: each byte the truncated mean of the three bilinearly
// interpolated channels. The top of the picture lands on the top of the frame.
void ResampleIntoMask(const ImagePlane& picture, uint8_t* mask, int32_t width, int32_t height,
                      int32_t rowStep);
// The same bytes, each mask pixel interpolating its picture rows afresh (the reference of
// ResampleIntoMask, which interpolates every picture row along once).
void ResampleIntoMaskPlain(const ImagePlane& picture, uint8_t* mask, int32_t width, int32_t height,
                           int32_t rowStep);

// Bytes of a mask: width x (height + 1), one spare row; 0 when that cannot be addressed.
size_t MaskBytes(int32_t width, int32_t height);

// The frame's mask from the user's file when `maskSource` is 1 and the file reads, else
// from the built-in picture; null when neither can be had (then layers cover their whole
// card). A non-null mask is returned to `scratch` by the caller.
uint8_t* BuildLogoMask(const LogoParams& p, int32_t width, int32_t height, int32_t rowStep,
                       BitmapResourceLoader loadResource, const ScratchSource& scratch);

// The record's path in a buffer of `bytes`, terminated whatever the host left there.
void CopyRecordPath(const char* field, int32_t bytes, char* path);

}  // namespace zk
