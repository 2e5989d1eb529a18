#!/usr/bin/env python3
# Writes code-size-1.gif, its expected pixels code-size-1.rgba and its
# description code-size-1.conf (the decoder suite's format) into this folder.
#
# A two-colour 32x16 picture whose LZW data has minimum code size 1: clear
# code 2, end code 3, the first code after each clear 2 bits wide and the
# width growing from there (it starts with three equal indices, so its second
# code is 4, the entry it defines, already read with 3 bits). A clear in the
# middle starts the table again. The encoder here is written apart from the
# control's writer, so the file checks our decoder against something else;
# the pixels come from the picture's formula, not from any decoder.
#
#   python3 make_code_size_1.py
import os

W, H = 32, 16
PALETTE = [(0x10, 0x20, 0x40), (0xF0, 0xC0, 0x20)]
CLEAR_AT = 200  # a clear after this many pixels


def index(x, y):
    return ((x + 2 * y) // 3) % 2 ^ (1 if (x * y) % 7 == 0 else 0)


def lzw(pixels, size):
    clear, end = 1 << size, (1 << size) + 1
    codes = []  # (code, width)
    state = {}

    def reset():
        state['table'] = {(i,): i for i in range(clear)}
        state['next'] = clear + 2
        state['since'] = 0  # codes the decoder has read since the clear

    def width():
        # After n codes the decoder may read any code up to clear + 1 + n
        # (the entry it is about to define), so it reads enough bits for that.
        n = state['since']
        top = clear + 1 + n if n else clear + 1
        return min(12, max(size + 1, top.bit_length()))

    def emit(code, counts=True):
        codes.append((code, width()))
        if counts:
            state['since'] += 1

    reset()
    emit(clear, False)
    w = (pixels[0],)
    for i, c in enumerate(pixels[1:], 1):
        if i == CLEAR_AT:
            emit(state['table'][w])
            emit(clear, False)
            reset()
            w = (c,)
            continue
        if w + (c,) in state['table']:
            w = w + (c,)
            continue
        emit(state['table'][w])
        state['table'][w + (c,)] = state['next']
        state['next'] += 1
        w = (c,)
    emit(state['table'][w])
    emit(end, False)

    bits, count, out = 0, 0, bytearray()
    for code, n in codes:
        bits |= code << count
        count += n
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits)
    data = bytearray([size])
    for at in range(0, len(out), 255):
        chunk = out[at:at + 255]
        data += bytes([len(chunk)]) + chunk
    return bytes(data + b'\0')


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    pixels = [index(x, y) for y in range(H) for x in range(W)]
    gif = bytearray(b'GIF89a')
    gif += W.to_bytes(2, 'little') + H.to_bytes(2, 'little') + bytes([0x80, 0, 0])  # global table, 2 colours
    for rgb in PALETTE:
        gif += bytes(rgb)
    gif += b'\x2c' + bytes(4) + W.to_bytes(2, 'little') + H.to_bytes(2, 'little') + b'\0'
    gif += lzw(pixels, 1)
    gif += b'\x3b'
    with open(os.path.join(here, 'code-size-1.gif'), 'wb') as f:
        f.write(gif)
    with open(os.path.join(here, 'code-size-1.rgba'), 'wb') as f:
        f.write(b''.join(bytes(PALETTE[p]) + b'\xff' for p in pixels))
    with open(os.path.join(here, 'code-size-1.conf'), 'w') as f:
        f.write('# Made by make_code_size_1.py\n[config]\ninput = code-size-1.gif\nversion = GIF89a\n'
                f'width = {W}\nheight = {H}\nbackground = #000000\nloop-count = 0\nforce-animation = no\n'
                'frames = frame0\n\n[frame0]\npixels = code-size-1.rgba\n')


main()
