// The rower on the simulated monitor: rests, rows pieces stroke by stroke, and says what
// the monitor's counters would show. Time is simulated seconds, moved on by the caller.
#pragma once
#include <stdint.h>

#include "simmonitor/sim_monitor.h"

struct SimPiece {
    SimPieceKind kind = SimPieceKind::Plain;
    uint32_t target = 0;  // metres (plain: 0 = endless, distance) or hundredths (time)
};

struct SimRowerSettings {
    double paceSecondsPer500 = 120.0;
    double strokeRate = 24.0;
    double variationPercent = 0.0;
    int startDelayHundredths = 200;
    int pieceMetres = 0;
    int pieceCount = 0;
    int abandonMetres = 0;  // programmed workouts end early here (counters 0), 0 = never
};

class SimRower {
public:
    explicit SimRower(const SimRowerSettings& settings = SimRowerSettings());

    // Moves to simulated time t (seconds); earlier times are ignored.
    void AdvanceTo(double t);
    double Now() const { return now_; }

    // The current piece ends; after the start delay a plain piece begins.
    void Stop();
    // The current piece ends; after the start delay this piece begins.
    void Begin(const SimPiece& piece);

    SimPieceKind Piece() const { return rowing_ ? piece_.kind : SimPieceKind::None; }
    uint32_t PieceTarget() const { return rowing_ ? piece_.target : 0; }
    uint32_t WorkTime() const;      // hundredths; counts down in a time piece
    uint32_t WorkDistance() const;  // tenths of a metre; counts down in a distance piece
    uint8_t StrokeState() const;
    uint32_t StrokeIndex() const { return rowing_ ? strokeIndex_ : 0; }
    uint16_t PaceMsPerMetre() const;
    uint16_t Watts() const;
    uint16_t Calories() const;
    uint16_t StrokesPerMinute() const;
    int PlainPiecesStarted() const { return plainStarted_; }
    uint32_t PlainPieceMetres() const { return static_cast<uint32_t>(settings_.pieceMetres); }

    // Watts a monitor shows for a pace in milliseconds per metre.
    static uint16_t WattsForPace(uint16_t paceMsPerMetre);

private:
    void Wait(double from, const SimPiece& next);
    void StartPiece(double at);
    void StartStroke(double at, uint32_t index);
    void Integrate(double to);
    double ReachTime(double metres) const;
    double FinishTime(double segmentEnd) const;
    uint32_t ElapsedHundredths() const;
    void KeepResult();
    bool ShowingResult() const;
    bool WaitingFor(SimPieceKind kind) const;

    SimRowerSettings settings_;
    double now_ = 0.0;
    bool rowing_ = false;
    bool resting_ = false;  // no more pieces unless one is programmed
    double startAt_ = 0.0;
    SimPiece next_;
    SimPiece piece_;
    double pieceStart_ = 0.0;
    double metres_ = 0.0;
    double kcal_ = 0.0;
    uint32_t strokeIndex_ = 0;
    double strokeStart_ = 0.0;
    double strokePeriod_ = 2.5;
    double strokePace_ = 120.0;
    double strokeWatts_ = 0.0;
    int plainStarted_ = 0;
    double resultUntil_ = 0.0;  // the finished workout's result shows until then
    uint32_t resultTime_ = 0;
    uint32_t resultDistance_ = 0;
};
