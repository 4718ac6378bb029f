// A page recorded as drawing commands and played back onto any painter at any
// scale: vector output like QPicture, but images stay in memory as they are
// (shared, never encoded), so recording a sheet of barcode bitmaps costs
// next to nothing.
//
//     TPageRecorder recorder(QSize(595, 842));
//     QPainter p(&recorder);
//     ...draw...
//     p.end();
//     TPagePicture page = recorder.Picture();
//     page.Play(screenPainter);   // in the painter's coordinates
#pragma once

#include <QPaintDevice>
#include <QRect>

#include <memory>
#include <vector>

class QPainter;
class TPageRecordingEngine;
struct TPageCommand;

class TPagePicture {
public:
    TPagePicture();
    ~TPagePicture();
    TPagePicture(const TPagePicture&);
    TPagePicture& operator=(const TPagePicture&);

    // The page's rectangle in recording units, from (0, 0).
    QRect boundingRect() const { return QRect(QPoint(0, 0), FSize); }
    void setBoundingRect(const QRect& r) { FSize = r.size(); }
    int CommandCount() const;
    // Draws the page with the painter's current transformation, clip and
    // opacity as the starting point; the painter's state is kept.
    void Play(QPainter& painter) const;

private:
    friend class TPageRecorder;
    QSize FSize;
    std::shared_ptr<const std::vector<TPageCommand>> FCommands;
};

// The paint device pages are recorded on: the size of the page in its units
// (one unit per device pixel) at the screen's logical resolution, as QPicture
// reports it.
class TPageRecorder : public QPaintDevice {
public:
    explicit TPageRecorder(QSize size);
    ~TPageRecorder() override;
    TPageRecorder(const TPageRecorder&) = delete;
    TPageRecorder& operator=(const TPageRecorder&) = delete;

    // What was recorded so far (the painter should have ended).
    TPagePicture Picture() const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize FSize;
    std::unique_ptr<TPageRecordingEngine> FEngine;
};
