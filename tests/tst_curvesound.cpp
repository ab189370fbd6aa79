// The curve's sound as the WAV file holds it, heard by analysis window by window: the pitch follows
// y, the balance follows x, ticks at integer x, a bell at each root, silence off the picture.
#include "functions.h"
#include "picturefile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

constexpr int rate = 44100;
constexpr int frames = 4 * rate;
constexpr int window = rate / 50; // 20 ms, 0.1 in x
// x runs from -10 to 10, then holds 10 for the last tick's 12 ms.
constexpr double moving = frames - 1 - 0.012 * rate;

double xAt(double frame)
{
    return -10 + 20 * std::min(frame, moving) / moving;
}
double frameAt(double x)
{
    return (x + 10) / 20 * moving;
}
bool onPicture(int function, double x)
{
    const double y = *graphing::functionValue(function, x);
    return y >= -10 && y <= 10;
}

// The amplitude of `pitch` in `mono` over `length` frames from `from` (0 outside the sound).
double strength(const std::vector<double> &mono, double from, int length, double pitch)
{
    double re = 0;
    double im = 0;
    for (int i = 0; i < length; ++i) {
        const auto at = static_cast<std::size_t>(from + i);
        const double value = at < mono.size() ? mono[at] : 0;
        re += value * std::cos(2 * std::numbers::pi * pitch * i / rate);
        im += value * std::sin(2 * std::numbers::pi * pitch * i / rate);
    }
    return 2 * std::hypot(re, im) / length;
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
    const QString path = folder.filePath(QStringLiteral("curve.wav"));
    QVERIFY(!app::savePicture({function}, path, app::PictureFormat::Wav, 1));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    QCOMPARE(wav.size(), 44 + 4 * frames);
    // PCM, stereo, 44100 Hz, 16 bits, as a player reads the header.
    QCOMPARE(wav.mid(20, 4), QByteArray::fromHex("01000200"));
    QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), quint32(rate));
    std::vector<double> left(frames), right(frames), mono(frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = qFromLittleEndian<qint16>(wav.constData() + 44 + 4 * i) / 32767.0;
        right[i] = qFromLittleEndian<qint16>(wav.constData() + 46 + 4 * i) / 32767.0;
        mono[i] = left[i] + right[i];
    }

    // The bell (1760 Hz) rings in the 20 ms after each root, and nowhere else.
    for (int from = 0; from < frames; from += window) {
        const bool ringing = strength(mono, from, window, 1760) > 0.1;
        const bool afterRoot = std::any_of(roots.cbegin(), roots.cend(), [&](double root) {
            return from >= frameAt(root) - window && from < frameAt(root) + 0.06 * rate;
        });
        QVERIFY2(!ringing || afterRoot,
                 qPrintable(QStringLiteral("bell at x = %1").arg(xAt(from))));
        const bool justAfter = std::any_of(roots.cbegin(), roots.cend(), [&](double root) {
            return std::abs(from - frameAt(root) - 0.01 * rate) < window / 2.0;
        });
        QVERIFY2(ringing || !justAfter,
                 qPrintable(QStringLiteral("no bell at x = %1").arg(xAt(from))));
    }
    // A tick (3520 Hz) starts at each integer x: heard in the 6 ms after, not in the 6 ms before.
    for (int k = -10; k <= 10; ++k) {
        QVERIFY2(strength(mono, frameAt(k), rate / 160, 3520) > 0.1,
                 qPrintable(QString::number(k)));
        QVERIFY2(strength(mono, frameAt(k) - rate / 160, rate / 160, 3520) < 0.05,
                 qPrintable(QString::number(k)));
    }

    // Pitch by zero crossings and balance by loudness, in windows clear of ticks and bells: within
    // 1 % of 220 * 4^((y + 10) / 20) Hz, and within 0.01 of the share of the way from left to
    // right.
    int heard = 0;
    for (int from = 0; from + window < frames; from += window) {
        const double x0 = xAt(from);
        const double x1 = xAt(from + window);
        const bool nearTick = std::floor(x1) != std::floor(x0 - 0.07);
        const bool nearRoot = std::any_of(roots.cbegin(), roots.cend(), [&](double root) {
            return x1 > root && x0 < root + 0.45;
        });
        if (nearTick || nearRoot)
            continue;
        int on = 0;
        for (int i = -2; i <= 4; ++i)
            on += onPicture(function, x0 + (x1 - x0) * i / 4) ? 1 : 0;
        const QString where = QStringLiteral("at x = %1").arg(x0);
        if (on == 0) {
            QVERIFY2(*std::max_element(mono.begin() + from, mono.begin() + from + window) < 0.002,
                     qPrintable(QStringLiteral("sound off the picture ") + where));
        } else if (on == 7) {
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
            const double y = *graphing::functionValue(function, (x0 + x1) / 2);
            const double expected = 220 * std::pow(4, (y + 10) / 20);
            QVERIFY2(
                std::abs(pitch / expected - 1) < 0.01,
                qPrintable(QStringLiteral("%1 Hz, not %2, ").arg(pitch).arg(expected) + where));
            const double balance =
                std::atan2(std::sqrt(sumRight), std::sqrt(sumLeft)) * 2 / std::numbers::pi;
            QVERIFY2(std::abs(balance - ((x0 + x1) / 2 + 10) / 20) < 0.01, qPrintable(where));
            ++heard;
        }
    }
    QVERIFY(heard > 40);
}

QTEST_APPLESS_MAIN(TestCurveSound)
#include "tst_curvesound.moc"
