// The common imaging operations of CLeadBitmap on a 4000 x 3000 picture,
// each beside OpenCV called directly (the limit: the back end works through
// OpenCV). Compare BM_Lead_X with BM_OpenCV_X.
#include <hmigfx/lead_bitmap.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kW = 4000, kH = 3000;

// A photograph-like picture: gradients, shapes and a little noise.
const cv::Mat& scene() {
    static const cv::Mat m = [] {
        cv::Mat s(kH, kW, CV_8UC3);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                s.at<cv::Vec3b>(y, x) = cv::Vec3b(uchar(x * 255 / kW), uchar(y * 255 / kH), uchar((x + y) * 255 / (kW + kH)));
        for (int i = 0; i < 40; ++i)
            cv::circle(s, cv::Point(100 * i, 70 * i % kH), 50 + 20 * i, cv::Scalar(30 * i % 255, 90, 200 - 4 * i), -1);
        cv::Mat noise(s.size(), CV_8UC3);
        cv::randu(noise, 0, 12);
        s += noise;
        return s;
    }();
    return m;
}

// The scene in a CLeadBitmap (top-down BGR, as JPEG and PNG files load).
void fillLead(CLeadBitmap& b) {
    b.Free();
    b.Create(kW, kH, 24, ORDER_BGR, TOP_LEFT, nullptr, 0, nullptr, 0);
    for (int y = 0; y < kH; ++y) b.PutRow(const_cast<uchar*>(scene().ptr<uchar>(y)), y, kW * 3);
}

std::vector<unsigned char> encoded(const char* ext) {
    std::vector<unsigned char> out;
    cv::imencode(ext, scene(), out);
    return out;
}

// An operation that replaces the picture: each iteration starts from the scene.
template <class F>
void leadInPlace(benchmark::State& state, F op) {
    CLeadBitmap b;
    for (auto _ : state) {
        state.PauseTiming();
        fillLead(b);
        state.ResumeTiming();
        op(b);
    }
    b.Free();
}

void BM_Lead_Rotate90(benchmark::State& s) { leadInPlace(s, [](CLeadBitmap& b) { b.Rotate(90, 1); }); }
void BM_OpenCV_Rotate90(benchmark::State& s) {
    for (auto _ : s) {
        cv::Mat out;
        cv::rotate(scene(), out, cv::ROTATE_90_CLOCKWISE);
        benchmark::DoNotOptimize(out.data);
    }
}

void BM_Lead_Rotate30(benchmark::State& s) { leadInPlace(s, [](CLeadBitmap& b) { b.RotateFine(3000, 1, 0); }); }
void BM_OpenCV_Rotate30(benchmark::State& s) {
    const cv::RotatedRect box(cv::Point2f(0, 0), cv::Size2f(kW, kH), 30);
    const cv::Rect bounds = box.boundingRect();
    cv::Mat m = cv::getRotationMatrix2D(cv::Point2f((kW - 1) / 2.f, (kH - 1) / 2.f), -30, 1.0);
    m.at<double>(0, 2) += (bounds.width - kW) / 2.0;
    m.at<double>(1, 2) += (bounds.height - kH) / 2.0;
    for (auto _ : s) {
        cv::Mat out;
        cv::warpAffine(scene(), out, m, bounds.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT);
        benchmark::DoNotOptimize(out.data);
    }
}

void BM_Lead_Resize(benchmark::State& s) { leadInPlace(s, [](CLeadBitmap& b) { b.Resample(2000, 1500); }); }
void BM_OpenCV_Resize(benchmark::State& s) {
    for (auto _ : s) {
        cv::Mat out;
        cv::resize(scene(), out, cv::Size(2000, 1500), 0, 0, cv::INTER_LINEAR);
        benchmark::DoNotOptimize(out.data);
    }
}

void BM_Lead_Median5(benchmark::State& s) { leadInPlace(s, [](CLeadBitmap& b) { b.MedianFilter(5); }); }
void BM_OpenCV_Median5(benchmark::State& s) {
    for (auto _ : s) {
        cv::Mat out;
        cv::medianBlur(scene(), out, 5);
        benchmark::DoNotOptimize(out.data);
    }
}

void leadSave(benchmark::State& state, int format) {
    CLeadBitmap b;
    fillLead(b);
    for (auto _ : state) {
        void* h = nullptr;
        unsigned long size = 0;
        b.SaveMemory(&h, format, 0, 0, &size, nullptr);
        GlobalFree(h);
    }
    b.Free();
}
void openCvSave(benchmark::State& state, const char* ext) {
    for (auto _ : state) {
        std::vector<unsigned char> out;
        cv::imencode(ext, scene(), out);
        benchmark::DoNotOptimize(out.data());
    }
}
void BM_Lead_SavePng(benchmark::State& s) { leadSave(s, IMGFILE_PNG); }
void BM_OpenCV_SavePng(benchmark::State& s) { openCvSave(s, ".png"); }
void BM_Lead_SaveJpeg(benchmark::State& s) { leadSave(s, IMGFILE_JPEG); }
void BM_OpenCV_SaveJpeg(benchmark::State& s) { openCvSave(s, ".jpg"); }

void leadLoad(benchmark::State& state, const char* ext) {
    std::vector<unsigned char> bytes = encoded(ext);
    CLeadBitmap b;
    for (auto _ : state) {
        b.LoadBitmapMemory(bytes.data(), 0, ORDER_BGR, long(bytes.size()), nullptr, nullptr);
        b.Free();
    }
}
void openCvLoad(benchmark::State& state, const char* ext) {
    const std::vector<unsigned char> bytes = encoded(ext);
    for (auto _ : state) {
        cv::Mat m = cv::imdecode(bytes, cv::IMREAD_UNCHANGED);
        benchmark::DoNotOptimize(m.data);
    }
}
void BM_Lead_LoadPng(benchmark::State& s) { leadLoad(s, ".png"); }
void BM_OpenCV_LoadPng(benchmark::State& s) { openCvLoad(s, ".png"); }
void BM_Lead_LoadJpeg(benchmark::State& s) { leadLoad(s, ".jpg"); }
void BM_OpenCV_LoadJpeg(benchmark::State& s) { openCvLoad(s, ".jpg"); }

#define PAIR(name)                                                                 \
    BENCHMARK(BM_Lead_##name)->Unit(benchmark::kMillisecond)->UseRealTime();       \
    BENCHMARK(BM_OpenCV_##name)->Unit(benchmark::kMillisecond)->UseRealTime();
PAIR(Rotate90)
PAIR(Rotate30)
PAIR(Resize)
PAIR(Median5)
PAIR(SavePng)
PAIR(LoadPng)
PAIR(SaveJpeg)
PAIR(LoadJpeg)

}  // namespace
