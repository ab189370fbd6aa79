// The WAV file of each graph, analysed in 20 ms windows: pitch by zero crossings and balance by
// loudness follow the curve, ticks start at integer x, bells at the roots, silence off the picture.
#include "functions.h"
#include "picturefile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>
#include <numbers>

namespace {

constexpr int rate = 44100;
constexpr int frames = 4 * rate;
constexpr int window = rate / 50; // 20 ms
constexpr int tick = rate / 160;  // 6 ms
// x runs from -10 to 10, then holds 10 for the last tick's 12 ms.
constexpr double moving = frames - 1 - 0.012 * rate;

double frameAt(double x)
{
    return (x + 10) / 20 * moving;
}

// The amplitude of `pitch` in the `length` frames of `mono` from `from` on (Goertzel's sum).
double strength(const std::vector<double> &mono, double from, int length, double pitch)
{
    std::complex<double> sum;
    for (int i = 0; i < length; ++i)
        sum += mono.at(std::size_t(from) + i)
               * std::polar(1.0, 2 * std::numbers::pi * pitch * i / rate);
    return 2 * std::abs(sum) / length;
}

} // namespace

class TestCurveSound : public QObject {
    Q_OBJECT

private slots:
    void wavFollowsTheCurve_data();
    void wavFollowsTheCurve();
};

void TestCurveSound::wavFollowsTheCurve_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QList<double>>("roots");
    constexpr double pi = std::numbers::pi;
    QTest::newRow("x*x-2") << 1 << QList<double>{-std::sqrt(2.0), std::sqrt(2.0)};
    QTest::newRow("x*exp(-x)+2") << 2 << QList<double>{-0.852606};
    QTest::newRow("5sin(x)/x") << 3 << QList<double>{-3 * pi, -2 * pi, -pi, pi, 2 * pi, 3 * pi};
    QTest::newRow("exp(x)-1-x^2") << 4 << QList<double>{0};
    QTest::newRow("sqrt(x^2+1)") << 5 << QList<double>{};
}

void TestCurveSound::wavFollowsTheCurve()
{
    QFETCH(int, function);
    QFETCH(QList<double>, roots);
    QTemporaryDir folder;
    QVERIFY(!app::savePicture(graphing::PictureContent(function), folder.filePath("c.wav"),
                              app::PictureFormat::Wav, 1));
    QFile file(folder.filePath("c.wav"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    // The header, as a player reads it, is checked in tst_commandline's "wav" row.
    QCOMPARE(wav.size(), 44 + 4 * frames);
    std::vector<double> left(frames), right(frames), mono(frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = qFromLittleEndian<qint16>(wav.constData() + 44 + 4 * std::size_t(i)) / 32767.0;
        right[i] = qFromLittleEndian<qint16>(wav.constData() + 46 + 4 * std::size_t(i)) / 32767.0;
        mono[i] = left[i] + right[i];
    }
    const auto nearRoot = [&roots](double from, double to) {
        return std::any_of(roots.cbegin(), roots.cend(),
                           [&](double r) { return from < r && to > r; });
    };
    // A tick (3520 Hz) in the 6 ms after each integer x, not in the 6 ms before.
    for (int k = -10; k <= 10; ++k) {
        QVERIFY2(strength(mono, frameAt(k), tick, 3520) > 0.1, qPrintable(QString::number(k)));
        QVERIFY(k == -10 || strength(mono, frameAt(k) - tick, tick, 3520) < 0.05);
    }
    int heard = 0;
    for (int from = 0; from + window < frames; from += window) {
        const double x0 = from / moving * 20 - 10;
        const double x1 = x0 + 0.1;
        const QString where = QStringLiteral("at x = %1").arg(x0);
        // The bell (1760 Hz) rings in the 80 ms after each root, and only there.
        const bool ringing = strength(mono, from, window, 1760) > 0.1;
        const bool bell = nearRoot(x0 - 0.45, x1);
        QVERIFY2(nearRoot(x0 - 0.2, x1 - 0.05) ? ringing : !ringing || bell, qPrintable(where));
        if (bell || std::floor(x1) != std::floor(x0 - 0.07))
            continue;
        int on = 0;
        for (int i = -2; i <= 4; ++i) {
            const double y = *graphing::functionValue(function, x0 + 0.025 * i);
            on += y >= -10 && y <= 10 ? 1 : 0;
        }
        if (on == 0)
            QVERIFY2(*std::max_element(mono.begin() + from, mono.begin() + from + window) < 0.002,
                     qPrintable(where));
        if (on < 7)
            continue;
        // Within 1 % of 220 * 4^((y + 10) / 20) Hz; the balance within 0.01 of the way to the
        // right.
        std::vector<double> crossings;
        double sumLeft = 0;
        double sumRight = 0;
        for (int i = from; i < from + window; ++i) {
            if ((mono[i] < 0) != (mono[i + 1] < 0))
                crossings.push_back(i + mono[i] / (mono[i] - mono[i + 1]));
            sumLeft += left[i] * left[i];
            sumRight += right[i] * right[i];
        }
        const double pitch =
            (double(crossings.size()) - 1) / 2 * rate / (crossings.back() - crossings.front());
        const double y = *graphing::functionValue(function, x0 + 0.05);
        QVERIFY2(std::abs(pitch / (220 * std::pow(4, (y + 10) / 20)) - 1) < 0.01,
                 qPrintable(where));
        const double balance =
            std::atan2(std::sqrt(sumRight), std::sqrt(sumLeft)) * 2 / std::numbers::pi;
        QVERIFY2(std::abs(balance - (x0 + 10.05) / 20) < 0.01, qPrintable(where));
        ++heard;
    }
    QVERIFY(heard > 40);
}

QTEST_APPLESS_MAIN(TestCurveSound)
#include "tst_curvesound.moc"
