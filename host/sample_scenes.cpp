#include "sample_scenes.h"

#include <algorithm>
#include <cmath>

namespace zk {
namespace {

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(Rgb a, double s) { return Rgb{a.r * s, a.g * s, a.b * s}; }
double Clamp01(double x) { return x < 0 ? 0 : (x > 1 ? 1 : x); }
double Smooth(double e0, double e1, double x) {
  const double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// Value noise from an integer hash: smooth, deterministic, no tables.
double Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777215.0;
}
double Noise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  const double tx = x - fx, ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
  const double c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
double Fbm(double x, double y, uint32_t seed, int octaves) {
  double sum = 0, amp = 0.5, freq = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x * freq, y * freq, seed + i * 101);
    amp *= 0.5;
    freq *= 2.03;
  }
  return sum;
}

void Put(FrameImage& f, int32_t x, int32_t yTop, Rgb c) {
  uint8_t* p = PixelAt(f, x, f.height - 1 - yTop);  // frames are stored bottom row first
  p[0] = static_cast<uint8_t>(Clamp01(c.b) * 255.0 + 0.5);
  p[1] = static_cast<uint8_t>(Clamp01(c.g) * 255.0 + 0.5);
  p[2] = static_cast<uint8_t>(Clamp01(c.r) * 255.0 + 0.5);
}

// Height of a mountain ridge (0 top .. 1 bottom) at horizontal position u.
double Ridge(double u, double base, double rough, uint32_t seed) {
  return base - rough * (Fbm(u * 3.0, 0.5, seed, 6) - 0.35) * 1.4;
}

}  // namespace

FrameImage DrawSunsetLake(int32_t width, int32_t height) {
  FrameImage f = MakeFrameImage(width, height);
  const Rgb skyTop{0.16, 0.10, 0.36}, skyMid{0.93, 0.42, 0.30}, skyLow{1.0, 0.80, 0.42};
  const double sunU = 0.68, sunV = 0.47, horizon = 0.60;
  const double aspect = static_cast<double>(width) / height;
  for (int32_t y = 0; y < height; ++y) {
    const double v = (y + 0.5) / height;
    for (int32_t x = 0; x < width; ++x) {
      const double u = (x + 0.5) / width;
      // Where the lake mirrors the sky, look up the reflected point with ripples.
      double sv = v;
      double su = u;
      bool water = v > horizon;
      if (water) {
        const double depth = (v - horizon) / (1 - horizon);
        su = u + 0.006 * std::sin(v * 420.0 * (0.3 + depth)) * (0.3 + depth);
        sv = 2 * horizon - v;
      }
      Rgb c = sv < 0.35 ? Mix(skyTop, skyMid, Smooth(0.0, 0.35, sv))
                        : Mix(skyMid, skyLow, Smooth(0.35, horizon, sv));
      // Clouds: thin warm streaks.
      const double cloud = Smooth(0.55, 0.8, Fbm(su * 6.0, sv * 22.0, 7, 5));
      c = Mix(c, Rgb{1.0, 0.62, 0.55}, cloud * 0.7 * (1 - Smooth(0.45, horizon, sv)));
      // Sun with a glow.
      const double dx = (su - sunU) * aspect, dy = sv - sunV;
      const double d = std::sqrt(dx * dx + dy * dy);
      c = Mix(c, Rgb{1.0, 0.97, 0.85}, Smooth(0.075, 0.06, d));
      c = Mix(c, Rgb{1.0, 0.86, 0.55}, 0.45 * std::exp(-d * 9.0));
      // Far and near mountains, dark against the sky.
      const double far = Ridge(su, 0.50, 0.22, 3);
      const double near = Ridge(su + 0.37, 0.58, 0.30, 11);
      if (sv > far) {
        const double shade = 0.6 + 0.4 * Fbm(su * 40, sv * 40, 5, 4);
        c = Mix(Rgb{0.36, 0.22, 0.40}, Rgb{0.55, 0.33, 0.45}, (sv - far) * 3);
        c = Scale(c, shade);
      }
      if (sv > near) {
        const double snow = Smooth(0.02, 0.0, sv - near) * Smooth(0.45, 0.40, near);
        c = Mix(Rgb{0.10, 0.07, 0.12}, Rgb{0.20, 0.12, 0.16}, Fbm(su * 60, sv * 60, 9, 4));
        c = Mix(c, Rgb{0.95, 0.80, 0.75}, snow);
      }
      if (water) {
        const double depth = (v - horizon) / (1 - horizon);
        c = Mix(Scale(c, 0.85), Rgb{0.05, 0.05, 0.12}, depth * 0.7);
        const double glint = Smooth(0.72, 0.9, Noise(u * 220, v * 30, 13)) *
                             std::exp(-std::fabs((u - sunU) * aspect) * 8);
        c = Mix(c, Rgb{1.0, 0.9, 0.7}, glint);
      }
      // Dark pine trees on the near shore, left and right.
      const double shore = horizon + 0.012 * std::sin(u * 31.0);
      const double treeBand = (u < 0.3 || u > 0.86) ? 1 : 0;
      if (treeBand > 0 && v < shore + 0.01) {
        const double cell = u * 70;
        const double local = cell - std::floor(cell);
        const double treeH = 0.10 + 0.12 * Hash(static_cast<int32_t>(cell), 1, 21);
        const double top = shore - treeH;
        const double halfW = 0.5 * Clamp01((v - top) / treeH);
        if (v > top && std::fabs(local - 0.5) < halfW) c = Rgb{0.03, 0.05, 0.04};
      }
      Put(f, x, y, c);
    }
  }
  return f;
}

FrameImage DrawLighthouseCoast(int32_t width, int32_t height) {
  FrameImage f = MakeFrameImage(width, height);
  const double aspect = static_cast<double>(width) / height;
  const double horizon = 0.52;
  for (int32_t y = 0; y < height; ++y) {
    const double v = (y + 0.5) / height;
    for (int32_t x = 0; x < width; ++x) {
      const double u = (x + 0.5) / width;
      Rgb c = Mix(Rgb{0.12, 0.38, 0.85}, Rgb{0.62, 0.83, 0.98}, Smooth(0.0, horizon, v));
      // Puffy clouds.
      const double cl = Fbm(u * 4.0 * aspect, v * 6.0, 31, 6);
      c = Mix(c, Rgb{1, 1, 1}, Smooth(0.5, 0.68, cl) * (1 - Smooth(0.3, horizon, v)));
      c = Mix(c, Rgb{0.75, 0.78, 0.85},
              Smooth(0.62, 0.75, cl) * 0.4 * (1 - Smooth(0.3, horizon, v)));
      if (v > horizon) {
        // Sea with wave stripes and foam.
        const double depth = (v - horizon) / (1 - horizon);
        const double wave =
            std::sin((u * 60 + Fbm(u * 8, v * 30, 41, 3) * 6) * (1 + depth * 2) + v * 300);
        c = Mix(Rgb{0.05, 0.35, 0.55}, Rgb{0.0, 0.20, 0.35}, depth);
        c = Mix(c, Rgb{0.85, 0.95, 1.0}, Smooth(0.85, 1.0, wave) * 0.5);
      }
      // A rocky headland on the right with grass on top.
      const double cliffTop = 0.45 + 0.08 * Fbm(u * 9, 0.3, 51, 5) - 0.25 * Smooth(0.55, 0.95, u);
      if (u > 0.5 && v > cliffTop) {
        const double rock = Fbm(u * 50, v * 50, 61, 5);
        c = Mix(Rgb{0.30, 0.27, 0.24}, Rgb{0.55, 0.50, 0.45}, rock);
        if (v < cliffTop + 0.035) c = Mix(Rgb{0.20, 0.55, 0.15}, Rgb{0.45, 0.75, 0.25}, rock);
        // Sea foam where the rock meets the water.
        if (v > horizon + 0.05 && v < horizon + 0.09 + 0.02 * rock) c = Rgb{0.95, 0.97, 1.0};
      }
      // The lighthouse: a tapering tower with red and white bands, a lamp room on top.
      const double baseV =
          0.45 + 0.08 * Fbm(0.78 * 9, 0.3, 51, 5) - 0.25 * Smooth(0.55, 0.95, 0.78);
      const double topV = 0.12;
      if (v > topV && v < baseV) {
        const double t = (v - topV) / (baseV - topV);
        const double halfW = (0.022 + 0.018 * t) / aspect * 1.6;
        const double du = u - 0.78;
        if (std::fabs(du) < halfW) {
          const int band = static_cast<int>(t * 7);
          Rgb paint = band % 2 == 0 ? Rgb{0.85, 0.08, 0.08} : Rgb{0.97, 0.97, 0.95};
          c = Scale(paint, 0.65 + 0.35 * (0.5 + 0.5 * du / halfW));
          if (band == 3 && std::fabs(du) < halfW * 0.25 && std::fmod(t * 7, 1.0) > 0.3)
            c = Rgb{0.1, 0.1, 0.15};
        }
      }
      const double lampDx = (u - 0.78) * aspect, lampDy = v - 0.095;
      if (std::fabs(lampDx) < 0.035 && std::fabs(lampDy) < 0.03) c = Rgb{1.0, 0.95, 0.55};
      if (std::fabs(lampDx) < 0.045 && lampDy < -0.03 && lampDy > -0.06 + std::fabs(lampDx) * 0.6)
        c = Rgb{0.15, 0.12, 0.12};
      // Light beam to the left.
      const double beam = lampDx < 0 ? std::fabs(lampDy + lampDx * 0.08) : 1;
      c = Mix(c, Rgb{1, 1, 0.8}, 0.35 * Smooth(0.03 + (-lampDx) * 0.05, 0.0, beam));
      // A small sailing boat.
      const double bu = (u - 0.25) * aspect, bv = v - 0.60;
      if (bv > 0 && bv < 0.025 && std::fabs(bu) < 0.08 - bv * 1.2) c = Rgb{0.35, 0.18, 0.08};
      if (bv < 0 && bv > -0.14 && bu > -0.002 && bu < 0.004) c = Rgb{0.2, 0.15, 0.1};
      if (bv < -0.01 && bv > -0.13 && bu < -0.005 && bu > -0.06 * (1 + (bv + 0.01) / 0.12))
        c = Rgb{0.98, 0.96, 0.90};
      Put(f, x, y, c);
    }
  }
  return f;
}

}  // namespace zk
