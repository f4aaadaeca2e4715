#!/usr/bin/env python3
"""Make the reminder melodies that lie beside the program.

    python3 resources/tools/make_melodies.py [--out DIR] [--keep-wav DIR]

Needs Python 3 and the `lame` encoder (Debian: apt-get install lame). It is a
development tool: the MP3 files it writes into resources/program/ are
committed, so neither the build nor the program ever runs it. Rerun it only
after changing a note list or a sound below, then commit the new files.

Each melody is written out below as note lists and synthesised from them with
the standard library alone; the result is stored as 16-bit mono WAV and
encoded by lame at a constant 48 kbit/s. Nothing random is left to chance (the
plucked strings use a fixed-seed generator), so the WAV stage is byte-for-byte
the same on every run; with the same lame version the MP3 files are too.
--keep-wav DIR keeps the WAV files, for comparing two runs.

Note lists: "Pitch:beats" separated by spaces, e.g. "F#4:0.5"; "R" is a rest,
"C3+G3:2" a chord, "|" a bar line that only helps the reader.
"""

import argparse
import array
import math
import os
import shutil
import subprocess
import sys
import tempfile
import wave

RATE = 22050
PEAK = 10 ** (-3 / 20)          # -3 dBFS, leaves room for the MP3 decoder's overshoot
BITRATE = 48                    # kbit/s; keeps a 10 s melody near 60 KB
MAX_BYTES = 80 * 1024
TABLE = 4096                    # samples in one oscillator cycle

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "program"))

SEMITONES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def frequency(name):
    """'C4' -> 261.63 Hz; sharps with '#', flats with 'b'; A4 = 440 Hz."""
    step = SEMITONES[name[0].upper()]
    rest = name[1:]
    while rest and rest[0] in "#b":
        step += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + step
    return 440.0 * 2 ** ((midi - 69) / 12)


def parse(notes):
    """Note list text -> [(list of frequencies, beats)]; an empty list is a rest."""
    events = []
    for token in notes.split():
        if token == "|":
            continue
        pitch, beats = token.split(":")
        freqs = [] if pitch == "R" else [frequency(p) for p in pitch.split("+")]
        events.append((freqs, float(beats)))
    return events


# ---------------------------------------------------------------- sounds

def wavetable(partials):
    """One cycle holding the given (harmonic, amplitude) partials."""
    return [sum(a * math.sin(2 * math.pi * h * i / TABLE) for h, a in partials)
            for i in range(TABLE)]


def oscillate(table, freq, n, phase=0.0, vibrato=(0.0, 0.0)):
    rate, depth = vibrato
    out = [0.0] * n
    pos = phase * TABLE
    step = freq * TABLE / RATE
    for i in range(n):
        k = int(pos)
        a = table[k]
        out[i] = a + (table[(k + 1) % TABLE] - a) * (pos - k)
        pos += step * (1 + depth * math.sin(2 * math.pi * rate * i / RATE)) if depth else step
        pos %= TABLE
    return out


def shape(samples, attack, release_at, release, tau=None):
    """Apply a smooth attack, an optional exponential decay and a raised-cosine release.

    Smooth edges on every note keep them from clicking."""
    a, r0, r = int(attack * RATE), int(release_at * RATE), max(1, int(release * RATE))
    for i in range(len(samples)):
        g = 1.0
        if i < a:
            g = 0.5 - 0.5 * math.cos(math.pi * i / a)
        if tau:
            g *= math.exp(-i / (tau * RATE))
        if i >= r0:
            j = i - r0
            g *= 0.0 if j >= r else 0.5 + 0.5 * math.cos(math.pi * j / r)
        samples[i] *= g
    return samples


def band_limited(freq, amps):
    """Keep only the partials below 9 kHz, so nothing folds back past Nyquist."""
    return [(h, a) for h, a in amps if h * freq < 9000]


class Rng:
    """Small fixed-seed generator: the same noise on every machine and Python version."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) % 2 ** 31
        return self.state / 2 ** 30 - 1.0


BLEND = 0.35


def pluck(freq, dur, rng):
    """Nylon string: Karplus-Strong, with a fractional delay so high notes stay in tune."""
    n = int((dur + 1.6) * RATE)
    # The loop filter averages two neighbouring samples; weighting the newer one
    # more damps less (a longer ring) and delays by BLEND of a sample, not half.
    delay = RATE / freq - BLEND
    start = int(delay) + 2
    # Soft, low-passed excitation: a nylon string plucked with the flesh of the finger.
    burst, smooth = [], 0.0
    for _ in range(start):
        smooth += 0.45 * (rng.next() - smooth)
        burst.append(smooth)
    mean = sum(burst) / len(burst)
    out = [b - mean for b in burst] + [0.0] * (n - start)   # no DC to thump at the end
    loss = 10 ** (-3 / (freq * 4.0))        # 4 s to fall 60 dB, before the filter damps it
    for i in range(start, n):
        pos = i - delay
        k = int(pos)
        f = pos - k
        y0 = out[k] + (out[k + 1] - out[k]) * f
        y1 = out[k - 1] + (out[k] - out[k - 1]) * f
        out[i] = loss * ((1 - BLEND) * y0 + BLEND * y1)
    return shape(out, 0.002, n / RATE - 0.15, 0.15)


def beep(freq, dur, _rng):
    """Alarm-clock piezo: a hard-edged tone with some odd harmonics."""
    n = int(dur * RATE)
    tone = oscillate(wavetable(band_limited(freq, [(1, 1.0), (3, 0.25), (5, 0.08)])), freq, n)
    return shape(tone, 0.003, dur - 0.006, 0.006)


def square(freq, dur, _rng):
    """Old phone ringtone: band-limited square, played a little detached."""
    sound = dur * 0.8
    n = int(sound * RATE)
    # Partials stop at 6 kHz: a full 9 kHz square overshoots badly once encoded.
    odd = [(h, 1.0 / h) for h in range(1, 40, 2) if h * freq < 6000]
    return shape(oscillate(wavetable(odd), freq, n), 0.003, sound - 0.008, 0.008)


def pad(freq, dur, _rng):
    """Soft synth pad: three slightly detuned mellow oscillators, slow in and out."""
    n = int((dur + 1.0) * RATE)
    table = wavetable(band_limited(freq, [(h, 1.0 / h ** 1.7) for h in range(1, 9)]))
    out = [0.0] * n
    for cents, phase in ((-7, 0.0), (0, 0.33), (7, 0.67)):
        for i, s in enumerate(oscillate(table, freq * 2 ** (cents / 1200), n, phase)):
            out[i] += s / 3
    return shape(out, 0.35, dur, 1.0)


def glass(freq, dur, _rng):
    """Soft lead over the pad: a nearly pure tone with a slow vibrato."""
    n = int((dur + 0.6) * RATE)
    table = wavetable(band_limited(freq, [(1, 1.0), (2, 0.22), (3, 0.08)]))
    return shape(oscillate(table, freq, n, vibrato=(5.0, 0.003)), 0.05, dur, 0.6)


def bell(freq, dur, _rng):
    """Gentle mallet bell: the upper partials die away before the fundamental."""
    n = int((dur + 1.0) * RATE)
    out = [0.0] * n
    for ratio, amp, tau in ((1, 1.0, 0.9), (2, 0.3, 0.35), (3, 0.12, 0.12)):
        if ratio * freq < 9000:
            part = oscillate(wavetable([(1, 1.0)]), freq * ratio, n)
            for i, s in enumerate(shape(part, 0.004, n / RATE, 0.0, tau)):
                out[i] += amp * s
    return shape(out, 0.004, n / RATE - 0.2, 0.2)


# ---------------------------------------------------------------- melodies
# Each voice: (sound, beats per minute, gain at the start, gain at the end, notes).
# All five are written for this program; none follows an existing tune.

MELODIES = {
    # 6/8 arpeggios that let the strings ring: Dmaj9, Bm9, Gmaj7, then a rolled
    # A chord that leads back to the start when the melody repeats.
    "Nylon": (7.6, [
        (pluck, 96, 0.8, 0.8,
         "D3:0.5 A3:0.5 E4:0.5 F#4:0.5 C#5:0.5 F#4:0.5 |"
         " B2:0.5 F#3:0.5 D4:0.5 A4:0.5 C#5:0.5 A4:0.5 |"
         " G2:0.5 D3:0.5 B3:0.5 F#4:0.5 A4:0.5 F#4:0.5 |"
         " A2:0.125 E3:0.125 A3:0.125 C#4:0.125 E4:1.5"),
    ]),
    # Four quick beeps and a breath, five times; the last two groups alternate
    # two pitches so the ringing gets more urgent.
    "Alarm": (6.0, [
        (beep, 150, 1.0, 1.0,
         " B6:0.25 R:0.25 B6:0.25 R:0.25 B6:0.25 R:0.25 B6:0.25 R:1.25 |" * 3 +
         " E7:0.25 R:0.25 B6:0.25 R:0.25 E7:0.25 R:0.25 B6:0.25 R:1.25 |" * 2),
    ]),
    # A floating chord walk C - Ab - Bb - C under a slow glassy motif.
    "Budoucnost": (7.2, [
        (pad, 80, 0.55, 0.55,
         "C3+G3+D4+E4:2 | Ab2+Eb3+G3+C4:2 | Bb2+F3+C4+D4:2 | C3+G3+D4+E4+G4:2"),
        (glass, 80, 0.5, 0.5,
         "R:0.5 G4:0.5 E5:1 | D5:0.75 C5:0.25 G4:1 | R:0.5 F4:0.5 D5:1 | E5:2"),
    ]),
    # Bells climbing the G major pentatonic, growing louder as they rise,
    # over a quiet open-fifth drone.
    "Probuzeni": (8.0, [
        (bell, 120, 0.5, 1.0,
         "D4:1 G4:1 A4:1 B4:1 | D5:1 B4:0.5 D5:0.5 E5:1 G5:1 |"
         " E5:0.5 G5:0.5 A5:1 B5:1 D6:1 | G6:2"),
        (pad, 120, 0.3, 0.3,
         "G2+D3:4 | C3+G3:4 | D3+A3:4 | G2+D3+B3:2"),
    ]),
    # A short bright tune for a one-voice phone buzzer, in F major.
    "Pseudonokia": (5.2, [
        (square, 150, 1.0, 1.0,
         "C5:0.5 F5:0.5 A5:0.5 G5:0.5 F5:0.5 C5:0.5 |"
         " D5:0.5 F5:0.5 Bb5:1 A5:0.5 R:0.5 |"
         " G5:0.5 E5:0.5 C5:0.5 E5:0.5 G5:0.5 Bb5:0.5 |"
         " A5:0.5 G5:0.5 F5:1 R:1"),
    ]),
}

FADE_IN = 0.005
FADE_OUT = 0.35


def render(name):
    seconds, voices = MELODIES[name]
    total = int(seconds * RATE)
    mix = [0.0] * total
    rng = Rng(sum(map(ord, name)))      # seed from the name: fixed, yet different per melody
    for sound, bpm, gain0, gain1, notes in voices:
        events = parse(notes)
        beat = 60.0 / bpm
        span = sum(b for _, b in events)
        t = 0.0
        for freqs, beats in events:
            gain = gain0 + (gain1 - gain0) * t / span
            for f in freqs:
                start = int(round(t * beat * RATE))
                for i, s in enumerate(sound(f, beats * beat, rng)):
                    if start + i < total:
                        mix[start + i] += gain * s
            t += beats
    # Fade both ends to silence: a reminder loops the melody, so its edges must not click.
    fin, fout = int(FADE_IN * RATE), int(FADE_OUT * RATE)
    for i in range(fin):
        mix[i] *= i / fin
    for j in range(fout):
        mix[total - fout + j] *= 0.5 + 0.5 * math.cos(math.pi * (j + 1) / fout)
    top = max(abs(s) for s in mix)
    pcm = array.array("h", (int(round(s * PEAK * 32767 / top)) for s in mix))
    check(name, pcm)
    return pcm


def check(name, pcm):
    """Refuse to write a melody that breaks what the program relies on."""
    seconds = len(pcm) / RATE
    peak = max(abs(s) for s in pcm)
    problems = []
    if not 4.0 <= seconds <= 10.0:
        problems.append("lasts %.2f s, not 4 to 10 s" % seconds)
    if abs(20 * math.log10(peak / 32768) + 3) > 0.1:
        problems.append("peaks at %.2f dBFS, not -3" % (20 * math.log10(peak / 32768)))
    if pcm[0] or pcm[-1]:
        problems.append("does not start and end in silence")
    if problems:
        sys.exit("%s: %s" % (name, "; ".join(problems)))


def write_wav(path, pcm):
    if sys.byteorder == "big":          # WAV samples are little-endian
        pcm = array.array("h", pcm)
        pcm.byteswap()
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def encode(wav_path, mp3_path):
    # Constant bit rate at the WAV's own rate; no ReplayGain scan, since the level
    # is set here. The LAME header stays: it tells decoders how much padding to
    # trim, which keeps the repeat seamless.
    subprocess.run(["lame", "--quiet", "--noreplaygain", "-q", "2", "-m", "m",
                    "--cbr", "-b", str(BITRATE), "--resample", str(RATE / 1000),
                    wav_path, mp3_path], check=True)
    size = os.path.getsize(mp3_path)
    if size > MAX_BYTES:
        sys.exit("%s: %d bytes, over the %d limit" % (mp3_path, size, MAX_BYTES))
    # Encoding moves the peaks a little; make sure what players hear does not clip.
    decoded = wav_path + ".decoded.wav"
    subprocess.run(["lame", "--quiet", "--decode", mp3_path, decoded], check=True)
    with wave.open(decoded, "rb") as w:
        pcm = array.array("h", w.readframes(w.getnframes()))
    os.remove(decoded)
    if sys.byteorder == "big":
        pcm.byteswap()
    peak_db = 20 * math.log10(max(1, max(abs(s) for s in pcm)) / 32768)
    if peak_db > -1.0:
        sys.exit("%s: peaks at %.2f dBFS once decoded, too near clipping" % (mp3_path, peak_db))
    return size, peak_db


def main():
    parser = argparse.ArgumentParser(description="Make the reminder melodies.")
    parser.add_argument("--out", default=DEFAULT_OUT, help="folder for the MP3 files")
    parser.add_argument("--keep-wav", metavar="DIR", help="also keep the WAV files here")
    args = parser.parse_args()
    if not shutil.which("lame"):
        sys.exit("lame is missing (Debian: apt-get install lame)")
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        wav_dir = args.keep_wav or tmp
        os.makedirs(wav_dir, exist_ok=True)
        for name in MELODIES:
            pcm = render(name)
            wav_path = os.path.join(wav_dir, name + ".wav")
            write_wav(wav_path, pcm)
            mp3_path = os.path.join(args.out, name + ".mp3")
            size, peak_db = encode(wav_path, mp3_path)
            print("%-12s %5.2f s %6d bytes  peak %5.2f dBFS  %s"
                  % (name, len(pcm) / RATE, size, peak_db, mp3_path))


if __name__ == "__main__":
    main()
