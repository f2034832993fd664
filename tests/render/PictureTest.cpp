// The picture at any size: bands, supersampling and the two file types.
#include "render/Output.h"
#include "render/Picture.h"
#include "render/RenderSupport.h"
#include "render/Session.h"

using namespace rendertest;

namespace {

struct Picture : Folder {
  static std::vector<tk::Color> Render(TMainForm& m, render::PictureSize size) {
    render::CanvasSink sink(size.width, size.height);
    render::RenderPicture(m, size, sink);
    const tk::Canvas& c = sink.Picture;
    return {c.Data(), c.Data() + static_cast<std::size_t>(c.Width()) * c.Height()};
  }
};

TEST_F(Picture, BandsAndFilesHoldThePixelsRenderToPaints) {
  for (bool direct : {false, true}) {
    render::WindowSession session;
    TMainForm& m = session.Main();
    session.ShowStartPicture();
    if (direct) {
      m.UsePalette = false;
      m.PaletteFactor = 7;  // colours beyond 0xFFFFFF from count 29 on
    }
    tk::Image image("Other");
    image.SetSize(161, 121);
    m.RenderTo(&image);
    const std::vector<tk::Color> painted(image.Canvas.Data(), image.Canvas.Data() + 161 * 121);

    for (int bandRows : {0, 1, 7, 121})
      EXPECT_EQ(Render(m, {161, 121, 1, bandRows}), painted) << bandRows;
    if (direct) {
      EXPECT_TRUE(std::any_of(painted.begin(), painted.end(), [](tk::Color c) { return c > 0xFFFFFF; }));
    }
    render::WritePicture(m, {161, 121, 1, 0}, "p.png", render::PictureType::Png);
    render::WritePicture(m, {161, 121, 1, 0}, "p.bmp", render::PictureType::Bmp);
    EXPECT_EQ(Shown(ReadPng("p.png")), Shown(image.Canvas)) << direct;
    EXPECT_EQ(Shown(ReadBmp("p.bmp")), Shown(image.Canvas)) << direct;
  }
}

TEST_F(Picture, SupersamplingAveragesSubPixelsSpreadOverEachPixelAndChangesOnlyMixedPixels) {
  render::WindowSession session;
  TMainForm& m = session.Main();
  session.ShowStartPicture();
  m.Scale = 1.5f;  // near the set, where colours change from pixel to pixel
  constexpr int W = 40, H = 30;
  for (int n : {2, 3}) {
    const std::vector<tk::Color> plain = Render(m, {W, H, 1, 0});
    const std::vector<tk::Color> fine = Render(m, {W * n, H * n, 1, 0});  // the sub-pixel grid
    const std::vector<tk::Color> smooth = Render(m, {W, H, n, 3});        // in bands of 3 rows
    int mixed = 0, changed = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        unsigned sum[3] = {0, 0, 0};
        bool uniform = true;
        const tk::Color corner = fine[(y * n) * W * n + x * n];
        for (int j = 0; j < n; ++j)
          for (int i = 0; i < n; ++i) {
            const tk::Color c = fine[(y * n + j) * W * n + x * n + i];
            uniform = uniform && c == corner;
            for (int k = 0; k < 3; ++k) sum[k] += (c >> (8 * k)) & 0xFF;
          }
        const unsigned s = n * n;
        const tk::Color average = tk::RGB((sum[0] + s / 2) / s, (sum[1] + s / 2) / s, (sum[2] + s / 2) / s);
        const tk::Color p = smooth[y * W + x];
        ASSERT_EQ(p, average) << n << " at " << x << "," << y;
        // Sub-pixel (0, 0) is the pixel's own point; a pixel of one colour keeps it.
        ASSERT_EQ(corner, plain[y * W + x]) << n << " at " << x << "," << y;
        if (uniform) {
          EXPECT_EQ(p, plain[y * W + x]) << n << " at " << x << "," << y;
        }
        mixed += !uniform;
        changed += p != plain[y * W + x];
      }
    EXPECT_GT(mixed, 20) << n;
    EXPECT_LT(mixed, W * H) << n;
    EXPECT_GT(changed, 0) << n;
    EXPECT_LE(changed, mixed) << n;
  }
}

}  // namespace
