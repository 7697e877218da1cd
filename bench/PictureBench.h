#pragma once

#include <QImage>
#include <QString>

class Scoreboard;

/// Times the JPEG codec on a camera-sized picture of 4000 × 3000 points against libjpeg-turbo's
/// own command-line tools on the same file, in the same run: decoding a quality-90 photo against
/// djpeg, encoding at quality 50 against cjpeg -quality 50 -baseline. Needs no database.
class PictureBench
{
public:
    explicit PictureBench(Scoreboard &scoreboard);

    /// A picture with a photo's statistics, the same on every run: smooth gradients of light,
    /// textures, hard-edged shapes and sensor-like noise, so that the entropy coding has as
    /// much to do as on a real photo.
    static QImage photoLike(int width, int height);

    void run();

private:
    void measureDecoding(const QString &jpegPath);
    void measureEncoding(const QImage &bitmap, const QString &ppmPath);

    Scoreboard &m_scoreboard;
};
