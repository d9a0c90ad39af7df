# Audio output layer sources (device, decoding, effects).
