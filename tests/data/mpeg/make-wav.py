# Writes silence.wav (1 s, 44100 Hz mono) and tones.wav (2 s, 22050 Hz mono: a tone, then a noise burst).
import math, random, struct, wave

def write(name, rate, samples):
    with wave.open(name, "wb") as w:
        w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples))

write("silence.wav", 44100, [0] * 44100)
random.seed(7)
rate = 22050
tones = [int(8000 * math.sin(2 * math.pi * 440 * n / rate)) for n in range(rate)]
tones += [random.randint(-12000, 12000) for n in range(rate)]
write("tones.wav", rate, tones)
# stereo.wav (1 s, 44100 Hz stereo: two tones).
with wave.open("stereo.wav", "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"".join(struct.pack("<hh", int(6000 * math.sin(2 * math.pi * 330 * n / 44100)),
                                       int(6000 * math.sin(2 * math.pi * 550 * n / 44100))) for n in range(44100)))
