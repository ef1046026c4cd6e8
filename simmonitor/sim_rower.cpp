#include "simmonitor/sim_rower.h"

#include <algorithm>
#include <cmath>

namespace {

// Counters are shown truncated; the small slack keeps step times like 0.29999 from
// showing one hundredth short.
const double SLACK = 1e-6;

// Deterministic wobble in [-1, 1] for stroke `index`, independent per `salt`.
double Wobble(uint32_t index, uint32_t salt) {
    uint32_t x = index * 2654435761u + salt * 0x9E3779B9u + 0x7F4A7C15u;
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    x *= 0xC2B2AE35u;
    x ^= x >> 16;
    return static_cast<double>(x % 2001u) / 1000.0 - 1.0;
}

uint16_t Clamp16(double v) {
    if (!(v > 0.0)) return 0;
    if (v > 65535.0) return 65535;
    return static_cast<uint16_t>(v);
}

}  // namespace

SimRower::SimRower(const SimRowerSettings& settings) : settings_(settings) {
    if (!(settings_.paceSecondsPer500 >= 30.0 && settings_.paceSecondsPer500 <= 1000.0))
        settings_.paceSecondsPer500 = 120.0;
    if (!(settings_.strokeRate >= 1.0 && settings_.strokeRate <= 100.0))
        settings_.strokeRate = 24.0;
    if (!(settings_.variationPercent >= 0.0 && settings_.variationPercent <= 50.0))
        settings_.variationPercent = 0.0;
    settings_.startDelayHundredths = std::max(0, settings_.startDelayHundredths);
    settings_.pieceMetres = std::max(0, settings_.pieceMetres);
    settings_.pieceCount = std::max(0, settings_.pieceCount);
    settings_.abandonMetres = std::max(0, settings_.abandonMetres);
    Wait(0.0, SimPiece{SimPieceKind::Plain, static_cast<uint32_t>(settings_.pieceMetres)});
}

void SimRower::Wait(double from, const SimPiece& next) {
    rowing_ = false;
    now_ = std::max(now_, from);
    if (next.kind == SimPieceKind::Plain && settings_.pieceCount > 0 &&
        plainStarted_ >= settings_.pieceCount) {
        resting_ = true;
        return;
    }
    resting_ = false;
    next_ = next;
    startAt_ = from + settings_.startDelayHundredths / 100.0;
}

void SimRower::Stop() {
    resultUntil_ = 0.0;
    Wait(now_, SimPiece{SimPieceKind::Plain, static_cast<uint32_t>(settings_.pieceMetres)});
}

void SimRower::Begin(const SimPiece& piece) {
    resultUntil_ = 0.0;
    // A programmed piece is rowed even when the rower has had enough plain ones.
    rowing_ = false;
    resting_ = false;
    next_ = piece;
    startAt_ = now_ + settings_.startDelayHundredths / 100.0;
}

void SimRower::StartPiece(double at) {
    rowing_ = true;
    piece_ = next_;
    pieceStart_ = at;
    now_ = at;
    metres_ = 0.0;
    kcal_ = 0.0;
    if (piece_.kind == SimPieceKind::Plain) ++plainStarted_;
    StartStroke(at, 0);
}

void SimRower::StartStroke(double at, uint32_t index) {
    strokeIndex_ = index;
    strokeStart_ = at;
    double share = settings_.variationPercent / 100.0;
    strokePace_ = settings_.paceSecondsPer500 * (1.0 + share * Wobble(index, 1));
    double rate = settings_.strokeRate * (1.0 + share * Wobble(index, 2));
    strokePeriod_ = 60.0 / std::max(1.0, rate);
    strokeWatts_ = WattsForPace(PaceMsPerMetre());
}

void SimRower::Integrate(double to) {
    double dt = to - now_;
    if (dt > 0.0) {
        metres_ += dt * 500.0 / strokePace_;
        kcal_ += dt * (4.0 * strokeWatts_ + 300.0) / 3600.0;
    }
    now_ = std::max(now_, to);
}

// When the rower, at the current stroke's pace, has rowed this many metres of the piece.
double SimRower::ReachTime(double metres) const {
    double left = metres - metres_;
    return left <= 1e-7 ? now_ : now_ + left * strokePace_ / 500.0;
}

// When the piece ends, if that is no later than segmentEnd; otherwise a negative number.
// Sums of stroke segments drift by rounding, so an end within a hair of segmentEnd counts:
// a piece due to end on a poll has ended at that poll.
double SimRower::FinishTime(double segmentEnd) const {
    const double hair = 1e-7;
    double end = -1.0;
    if (piece_.kind == SimPieceKind::Time) {
        end = std::max(now_, pieceStart_ + piece_.target / 100.0);
    } else if (piece_.target > 0) {
        end = ReachTime(piece_.target);
    }
    // A rower who gives a programmed workout up stops at the abandon mark.
    if (piece_.kind != SimPieceKind::Plain && settings_.abandonMetres > 0) {
        double giveUp = ReachTime(settings_.abandonMetres);
        if (end < 0.0 || giveUp < end) end = giveUp;
    }
    if (end < 0.0) return -1.0;
    return end <= segmentEnd + hair ? std::min(end, segmentEnd) : -1.0;
}

void SimRower::AdvanceTo(double t) {
    if (!(t > now_) || std::isinf(t)) return;
    while (now_ < t) {
        if (resting_) {
            now_ = t;
            break;
        }
        if (!rowing_) {
            if (t < startAt_) {
                now_ = t;
                break;
            }
            StartPiece(std::max(now_, startAt_));
            continue;
        }
        double strokeEnd = strokeStart_ + strokePeriod_;
        double segmentEnd = std::min(t, strokeEnd);
        double finish = FinishTime(segmentEnd);
        if (finish >= 0.0) {
            Integrate(finish);
            KeepResult();
            Wait(finish,
                 SimPiece{SimPieceKind::Plain, static_cast<uint32_t>(settings_.pieceMetres)});
            continue;
        }
        Integrate(segmentEnd);
        if (segmentEnd >= strokeEnd) StartStroke(strokeEnd, strokeIndex_ + 1);
    }
}

uint32_t SimRower::ElapsedHundredths() const {
    double h = std::floor((now_ - pieceStart_) * 100.0 + SLACK);
    if (!(h > 0.0)) return 0;
    return h >= 4294967295.0 ? 4294967295u : static_cast<uint32_t>(h);
}

// A programmed workout rowed to its end shows its result for the first half of the rest:
// the counter that counted down reads 0, the other keeps its final value. A plain piece
// or a workout given up shows 0 and 0 at once.
void SimRower::KeepResult() {
    resultTime_ = resultDistance_ = 0;
    resultUntil_ = now_ + settings_.startDelayHundredths / 200.0;
    bool givenUp = settings_.abandonMetres > 0 && metres_ + 1e-7 >= settings_.abandonMetres;
    if (piece_.kind == SimPieceKind::Distance && !givenUp && metres_ + 1e-7 >= piece_.target) {
        resultTime_ = ElapsedHundredths();
    } else if (piece_.kind == SimPieceKind::Time && !givenUp) {
        resultDistance_ = static_cast<uint32_t>(std::floor(metres_ * 10.0 + SLACK));
    }
}

bool SimRower::ShowingResult() const {
    return !rowing_ && now_ < resultUntil_;
}

// Before a programmed workout begins the monitor shows its target, as a real one does: the
// counter that will count down holds the target, the other reads 0.
bool SimRower::WaitingFor(SimPieceKind kind) const {
    return !rowing_ && !resting_ && !ShowingResult() && next_.kind == kind;
}

uint32_t SimRower::WorkTime() const {
    if (ShowingResult()) return resultTime_;
    if (WaitingFor(SimPieceKind::Time)) return next_.target;
    if (!rowing_) return 0;
    uint32_t elapsed = ElapsedHundredths();
    if (piece_.kind != SimPieceKind::Time) return elapsed;
    // Still rowing, so never 0: a zero here means the piece is over.
    return elapsed < piece_.target ? piece_.target - elapsed : 1;
}

uint32_t SimRower::WorkDistance() const {
    if (ShowingResult()) return resultDistance_;
    if (WaitingFor(SimPieceKind::Distance)) return next_.target * 10u;
    if (!rowing_) return 0;
    double rowed = std::floor(metres_ * 10.0 + SLACK);
    uint32_t tenths = rowed >= 4294967295.0 ? 4294967295u : static_cast<uint32_t>(rowed);
    if (piece_.kind != SimPieceKind::Distance) return tenths;
    uint32_t target = piece_.target * 10u;
    return tenths < target ? target - tenths : 1;
}

uint8_t SimRower::StrokeState() const {
    if (!rowing_) return 1;
    double into = now_ - strokeStart_;
    if (into < strokePeriod_ / 3.0) return 2;
    if (into < strokePeriod_ / 3.0 + strokePeriod_ / 12.0) return 3;
    return 4;
}

uint16_t SimRower::PaceMsPerMetre() const {
    if (!rowing_) return 0;
    return Clamp16(std::floor(strokePace_ * 2.0 + 0.5));
}

uint16_t SimRower::WattsForPace(uint16_t paceMsPerMetre) {
    if (paceMsPerMetre == 0) return 0;
    double secondsPerMetre = paceMsPerMetre / 1000.0;
    return Clamp16(std::floor(2.80 / (secondsPerMetre * secondsPerMetre * secondsPerMetre) + 0.5));
}

uint16_t SimRower::Watts() const {
    return rowing_ ? WattsForPace(PaceMsPerMetre()) : 0;
}

uint16_t SimRower::Calories() const {
    return rowing_ ? Clamp16(std::floor(kcal_ + SLACK)) : 0;
}

uint16_t SimRower::StrokesPerMinute() const {
    if (!rowing_) return 0;
    return Clamp16(std::floor(60.0 / strokePeriod_ + 0.5));
}
