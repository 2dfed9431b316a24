// The codec library's types the readers and writers hold by pointer, declared without its
// headers so that only the .cpp files need them.
#pragma once

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;
struct SwrContext;
