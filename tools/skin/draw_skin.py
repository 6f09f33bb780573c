#!/usr/bin/python3
"""Draws the ORV editor skin: the ten PNG images at every scale of the panel.

Run from anywhere (Debian: apt-get install python3-cairo fonts-liberation):

    /usr/bin/python3 tools/skin/draw_skin.py

It rewrites resources/img/*.png (100 %) and resources/img/<percent>/*.png
(every other scale), checks every size and pixel format, and writes
build/skin-preview-<percent>.png (the whole panel with handles, balls,
buttons and read-outs pasted in as the editor would draw them) and
build/skin-frames.png (every frame of every 100 % image, enlarged). The
output is the same bytes on every run: fixed fonts, a seeded texture, and
our own PNG writer, which emits only IHDR, IDAT and IEND (no time or text
chunks).

The panel's geometry comes from instrument/OrvPanelLayout.def, the table the
editor places its controls by. Every coordinate below is in panel pixels at
100 %, rectangles as (left, top, right, bottom) with right and bottom
exclusive. Each image is drawn as vectors at its scale (the drawing context
is scaled), never resampled; strokes of odd width sit on half pixels so that
they stay crisp at 100 %. Where the artwork must meet a control exactly (the
fader scales) the positions are computed the way the editor computes them at
that scale: each 100 % coordinate rounded to whole pixels, halves up.
"""

import math
import os
import random
import re
import struct
import subprocess
import sys
import zlib

import cairo

from panel_layout import read_layout

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
IMG_DIR = os.path.join(ROOT, "resources", "img")
BUILD_DIR = os.path.join(ROOT, "build")

# ---------------------------------------------------------------------------
# Panel geometry (where the editor puts its controls), from the editor's table

LAYOUT_FILE = os.path.join(ROOT, "instrument", "OrvPanelLayout.def")
LAYOUT = read_layout(LAYOUT_FILE)
SCALE_PERCENTS = LAYOUT["SCALE"]
RECT, POINT, LENGTH = LAYOUT["RECT"], LAYOUT["POINT"], LAYOUT["LENGTH"]


def frame_size(image):
    """One frame's (width, height) at 100 % of an image of the table."""
    _, _, _, w, h = LAYOUT["IMAGE"][image]
    return w, h


PANEL_W, PANEL_H = LAYOUT["SIZE"]

PREV_BUTTON = POINT["PreviousButton"]      # frames of left.png
NEXT_BUTTON = POINT["NextButton"]          # frames of right.png
NUMBER_BOX = RECT["NumberBox"]             # program number, "%02d"
NAME_BOX = RECT["NameBox"]                 # program name
MENU_BUTTON = RECT["OptionMenuButton"]     # option menu; the control draws nothing
LEARN_SWITCH = POINT["LearnSwitch"]        # frames of learn.png / unlearn.png
VERSION_BOX = RECT["VersionBox"]           # "v.2.0.0.N", white at alpha 128
PROGRAM_TEXT = LENGTH["ProgramTextHeight"][0]
VERSION_TEXT = LENGTH["VersionTextHeight"][0]

PAD = RECT["Pad"]                          # XY pad control rectangle
BALL_W, BALL_H = frame_size("BallImage")
# The pad places a ball's top-left corner on a disc of radius
# (pad width - ball width + 4) / 2 = 116, so only the image's top-left
# 24 x 24 stays inside the pad at the edge of travel: the ball is drawn in
# that square (centre (12, 12)) and the other 4 columns and 6 rows are left
# transparent. The pad redraws only its own rectangle, so anything drawn
# there would stay behind on the panel when the ball moves away from an edge.
# The ball's centre then travels on a circle of radius 116 around the pad's
# centre and the ball never leaves the pad's inscribed circle (radius 128).
BALL_SPHERE = 24
PAD_SLACK_X = LENGTH["PadTravelSlackX"][0]
PAD_SLACK_Y = LENGTH["PadTravelSlackY"][0]
PAD_CX = (PAD[0] + PAD[2]) / 2    # 144
PAD_CY = (PAD[1] + PAD[3]) / 2    # 200
PAD_TRAVEL_R = (PAD[2] - PAD[0] - BALL_W + PAD_SLACK_X) / 2   # 116
PAD_DISC_R = PAD_TRAVEL_R + BALL_SPHERE / 2                   # 128
# Value read-outs the pad draws in its corners (keep them dark and plain).
PAD_X_TEXT = RECT["PadXText"]
PAD_X2_TEXT = RECT["PadX2Text"]
PAD_Y_TEXT = RECT["PadYText"]
PAD_Y2_TEXT = RECT["PadY2Text"]
PAD_TEXT = LENGTH["PadTextHeight"][0]

# Vertical faders: control (x, top, x + handle width, top + travel).
V_FADERS = [(LENGTH["VividX"][0], "Vivid"), (LENGTH["AirX"][0], "Air"),
            (LENGTH["ReleaseX"][0], "Release"), (LENGTH["VolumeX"][0], "Volume"),
            (LENGTH["MorphRateX"][0], "Morph Rate")]
V_FADER_TOP = LENGTH["VerticalFaderTop"][0]
V_TRAVEL = LENGTH["VerticalTravel"][0]
V_HANDLE_W, V_HANDLE_H = frame_size("HandleVerticalImage")

# The horizontal "Envelope" fader.
H_FADER = POINT["EnvelopeFader"]
H_TRAVEL = LENGTH["HorizontalTravel"][0]
H_HANDLE_W, H_HANDLE_H = frame_size("HandleHorizontalImage")

MODE_SWITCH = POINT["MorphModeSwitch"]     # frames of mode.png
MODE_W, MODE_H = frame_size("MorphModeImage")
MODE_NAMES = ["Off", "Once", "One Shot", "Swing"]

BUTTON = frame_size("PreviousButtonImage")[0]   # left.png / right.png frame size
LEARN_W, LEARN_H = frame_size("LearnImage")

# The scale being drawn (set by main for each scale in turn).
SCALE = 1.0


def px(length):
    """A 100 % length or position in pixels at the current scale, as the editor rounds it."""
    return math.floor(length * SCALE + 0.5)


def v_handle_top(value):
    """Top row of a vertical fader's handle for a value in 0..1, in 100 % units.

    The fader moves its handle down by int(span * (1 - value)) pixels with
    span = travel - headroom (headroom = handle height), all in pixels at
    the scale. The tiny epsilon keeps exact tenths such as 0.9 from falling
    a pixel short through binary rounding, so the scale marks the intended
    positions.
    """
    span = px(V_TRAVEL) - px(V_HANDLE_H)
    return (px(V_FADER_TOP) + int(span * (1.0 - value) + 1e-9)) / SCALE


def h_handle_left(value):
    """Left column of the envelope fader's handle for a value in 0..1, in 100 % units."""
    span = px(H_TRAVEL) - px(H_HANDLE_W)
    return (px(H_FADER[0]) + int(span * value + 1e-9)) / SCALE


# The handles' visible bodies are 15 pixels across the travel direction
# plus one row of shadow, so their centre line is one whole pixel: row 7 of
# handle_v.png and column 7 of handle_h.png. The scales mark that pixel.
V_HANDLE_MARK_ROW = 7
H_HANDLE_MARK_COL = 7


def ball_top_left(x, y):
    """Where the pad draws a ball's image for values x, y in -1..1, in pixels at the scale."""
    L, T, R, B = (px(v) for v in PAD)
    w, h = px(BALL_W), px(BALL_H)
    left = math.floor((x * math.sqrt(1 - y * y / 2) + 1) * 0.5 * (R - L - w + px(PAD_SLACK_X))) + L
    top = math.floor((B - T - h + px(PAD_SLACK_Y)) * (1 - (y * math.sqrt(1 - x * x / 2) + 1) * 0.5)) + T
    return left, top


# ---------------------------------------------------------------------------
# Palette: blue-grey anodised panel, near-black recessed displays, light grey
# engraving, one warm amber accent; the second ball is a cool steel blue.

def hexc(s, a=1.0):
    s = s.lstrip("#")
    return (int(s[0:2], 16) / 255, int(s[2:4], 16) / 255, int(s[4:6], 16) / 255, a)


PANEL_HI = hexc("3a4048")
PANEL_LO = hexc("2a2f36")
BAR_HI = hexc("262a30")
BAR_LO = hexc("1e2227")
DISPLAY = hexc("0c0f13")
DISPLAY_EDGE = hexc("06080a")
ENGRAVE = hexc("c3c9d1")          # main labels
ENGRAVE_DIM = hexc("8b939d")      # scales, secondary labels
ACCENT = hexc("f0a23a")           # amber
ACCENT_DEEP = hexc("b8691a")
COOL = hexc("6f9cc4")             # steel blue of the second ball
WARN = hexc("e8584a")             # unlearn LED
SHADOW = (0, 0, 0)
LIGHT = (1, 1, 1)

SANS = "Liberation Sans"
NARROW = "Liberation Sans Narrow"
FONT_FILES = {SANS: "LiberationSans", NARROW: "LiberationSansNarrow"}

# ---------------------------------------------------------------------------
# Drawing helpers


def new_surface(w, h, opaque=False, frames=1):
    """A surface for an image of frames frames of w x h (100 % units) at the scale.

    Each frame is a whole number of pixels high; the context draws in 100 %
    units (see frame_top).
    """
    fmt = cairo.FORMAT_RGB24 if opaque else cairo.FORMAT_ARGB32
    surf = cairo.ImageSurface(fmt, px(w), frames * px(h))
    ctx = cairo.Context(surf)
    ctx.scale(SCALE, SCALE)
    opts = cairo.FontOptions()
    # Grey antialiasing: the skin is shown on any screen, in any subpixel order.
    opts.set_antialias(cairo.ANTIALIAS_GRAY)
    opts.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    opts.set_hint_metrics(cairo.HINT_METRICS_ON)
    ctx.set_font_options(opts)
    return surf, ctx


def device_surface(w, h):
    """An opaque surface of w x h pixels, drawn in pixels (previews)."""
    surf = cairo.ImageSurface(cairo.FORMAT_RGB24, w, h)
    return surf, cairo.Context(surf)


def frame_top(frame, h):
    """Where frame number frame of frames h high (100 % units) starts, in 100 % units."""
    return frame * px(h) / SCALE


def rgba(ctx, c, a=None):
    if len(c) == 3:
        c = (c[0], c[1], c[2], 1.0)
    ctx.set_source_rgba(c[0], c[1], c[2], c[3] if a is None else a)


def mix(c1, c2, t):
    return tuple(c1[i] + (c2[i] - c1[i]) * t for i in range(4))


def round_rect(ctx, x0, y0, x1, y1, r):
    if r <= 0:
        ctx.rectangle(x0, y0, x1 - x0, y1 - y0)
        return
    ctx.new_sub_path()
    ctx.arc(x1 - r, y0 + r, r, -math.pi / 2, 0)
    ctx.arc(x1 - r, y1 - r, r, 0, math.pi / 2)
    ctx.arc(x0 + r, y1 - r, r, math.pi / 2, math.pi)
    ctx.arc(x0 + r, y0 + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def vgrad(y0, y1, stops):
    g = cairo.LinearGradient(0, y0, 0, y1)
    for t, c in stops:
        g.add_color_stop_rgba(t, *c)
    return g


def hline(ctx, x0, x1, y, c, a=None):
    """One-pixel horizontal line covering pixel row y, columns x0..x1-1."""
    rgba(ctx, c, a)
    ctx.rectangle(x0, y, x1 - x0, 1)
    ctx.fill()


def vline(ctx, x, y0, y1, c, a=None):
    rgba(ctx, c, a)
    ctx.rectangle(x, y0, 1, y1 - y0)
    ctx.fill()


def font(ctx, family, size, bold=False):
    ctx.select_font_face(family, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)


def text_width(ctx, s, spacing=0.0):
    if spacing == 0:
        return ctx.text_extents(s).x_advance
    return sum(ctx.text_extents(ch).x_advance for ch in s) + spacing * (len(s) - 1)


def text(ctx, s, x, baseline, c, align="center", spacing=0.0, a=None):
    """Draws s on an integer baseline; align is 'left', 'center' or 'right' about x."""
    w = text_width(ctx, s, spacing)
    if align == "center":
        x0 = x - w / 2
    elif align == "right":
        x0 = x - w
    else:
        x0 = x
    x0 = round(x0)
    rgba(ctx, c, a)
    if spacing == 0:
        ctx.move_to(x0, round(baseline))
        ctx.show_text(s)
        return
    # Letter-spaced words: each glyph starts on a whole pixel so all copies
    # of a letter render alike.
    x = float(x0)
    for ch in s:
        ctx.move_to(round(x), round(baseline))
        ctx.show_text(ch)
        x += ctx.text_extents(ch).x_advance + spacing


def engraved(ctx, s, x, baseline, c, align="center", spacing=0.0, depth=0.55):
    """Label cut into the panel: a dark line above, a faint highlight below."""
    text(ctx, s, x, baseline - 1, SHADOW, align, spacing, a=depth * 0.6)
    text(ctx, s, x, baseline + 1, LIGHT, align, spacing, a=0.06)
    text(ctx, s, x, baseline, c, align, spacing)


def recessed(ctx, x0, y0, x1, y1, r=2.0, fill=DISPLAY):
    """A display window sunk into the panel."""
    # Lip: light below and right, dark above and left, one pixel outside.
    round_rect(ctx, x0 - 1, y0 - 1, x1 + 1, y1 + 1, r + 1)
    g = vgrad(y0 - 1, y1 + 1, [(0, (0, 0, 0, 0.45)), (0.5, (0, 0, 0, 0.25)),
                               (1, (1, 1, 1, 0.14))])
    ctx.set_source(g)
    ctx.fill()
    round_rect(ctx, x0, y0, x1, y1, r)
    rgba(ctx, fill)
    ctx.fill()
    # Inner shadow under the top edge.
    ctx.save()
    round_rect(ctx, x0, y0, x1, y1, r)
    ctx.clip()
    ctx.set_source(vgrad(y0, y0 + 5, [(0, (0, 0, 0, 0.55)), (1, (0, 0, 0, 0))]))
    ctx.paint()
    ctx.restore()
    ctx.set_line_width(1)
    round_rect(ctx, x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, max(r - 0.5, 0))
    rgba(ctx, DISPLAY_EDGE, 0.9)
    ctx.stroke()


def raised(ctx, x0, y0, x1, y1, r, top, bottom, outline=(0.05, 0.06, 0.07, 1), hi=0.22):
    """A raised key: gradient face, bright top lip, dark outline."""
    round_rect(ctx, x0, y0, x1, y1, r)
    ctx.set_source(vgrad(y0, y1, [(0, top), (1, bottom)]))
    ctx.fill()
    ctx.set_line_width(1)
    # Top lip highlight, inside the outline.
    ctx.save()
    round_rect(ctx, x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(r - 1, 0))
    ctx.clip()
    ctx.set_source(vgrad(y0 + 1, y1 - 1, [(0, (1, 1, 1, hi)), (0.12, (1, 1, 1, hi * 0.25)),
                                           (0.9, (1, 1, 1, 0)), (1, (0, 0, 0, 0.2))]))
    ctx.paint()
    ctx.restore()
    hline(ctx, x0 + 2, x1 - 2, y0 + 1, LIGHT, hi)
    round_rect(ctx, x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, max(r - 0.5, 0))
    rgba(ctx, outline)
    ctx.stroke()


def screw(ctx, cx, cy):
    """A small countersunk hex screw at a pixel centre."""
    ctx.arc(cx, cy + 0.5, 4.5, 0, 2 * math.pi)
    rgba(ctx, LIGHT, 0.10)
    ctx.fill()
    ctx.arc(cx, cy, 4.5, 0, 2 * math.pi)
    rgba(ctx, SHADOW, 0.6)
    ctx.fill()
    g = cairo.RadialGradient(cx - 1.5, cy - 1.5, 0.5, cx, cy, 4)
    g.add_color_stop_rgba(0, *hexc("9aa1aa"))
    g.add_color_stop_rgba(1, *hexc("4a5058"))
    ctx.arc(cx, cy, 3.6, 0, 2 * math.pi)
    ctx.set_source(g)
    ctx.fill()
    ctx.save()
    ctx.translate(cx, cy)
    ctx.rotate(0.35)
    for i in range(6):
        a = i * math.pi / 3
        (ctx.move_to if i == 0 else ctx.line_to)(1.5 * math.cos(a), 1.5 * math.sin(a))
    ctx.close_path()
    rgba(ctx, hexc("23272c"))
    ctx.fill()
    ctx.restore()


# ---------------------------------------------------------------------------
# The background


def brush_texture(surf, rect, seed, strength):
    """Adds a horizontal brushed-metal grain inside rect (RGB24 surface).

    Each row gets its own slowly wandering brightness, so the grain runs
    along x like a brushed sheet; a seeded generator keeps it repeatable.
    """
    surf.flush()
    data = surf.get_data()
    stride = surf.get_stride()
    rnd = random.Random(seed)
    x0, y0, x1, y1 = rect
    for y in range(y0, y1):
        row = rnd.random() - 0.5
        level = 0.0
        base = y * stride
        for x in range(x0, x1):
            # A random walk pulled back to zero: long streaks, no banding.
            level = level * 0.92 + (rnd.random() - 0.5) * 0.7
            d = int(round((row * 1.4 + level) * strength))
            if d == 0:
                continue
            i = base + 4 * x
            for k in range(3):
                v = data[i + k] + d
                data[i + k] = 0 if v < 0 else 255 if v > 255 else v
    surf.mark_dirty()


def draw_top_bar(ctx):
    bar_bottom = 52
    ctx.rectangle(0, 0, PANEL_W, bar_bottom)
    ctx.set_source(vgrad(0, bar_bottom, [(0, BAR_HI), (1, BAR_LO)]))
    ctx.fill()
    hline(ctx, 0, PANEL_W, bar_bottom, SHADOW, 0.55)
    hline(ctx, 0, PANEL_W, bar_bottom + 1, LIGHT, 0.10)
    hline(ctx, 0, PANEL_W, 0, LIGHT, 0.06)

    # Program strip: arrow keys (drawn by the buttons), number, name.
    font(ctx, SANS, 9, bold=True)
    engraved(ctx, "PROGRAM", PREV_BUTTON[0] - 6, 31, ENGRAVE_DIM, "right", spacing=0.8)

    # The windows sit a little outside the text boxes so the 14 px read-outs
    # have air around them; they stop one pixel short of the arrow keys.
    nx0, ny0 = NUMBER_BOX[0] - 2, PREV_BUTTON[1] + 1
    recessed(ctx, nx0, ny0, NEXT_BUTTON[0] - 1, ny0 + 20, r=2)
    recessed(ctx, NAME_BOX[0] - 1, ny0, NAME_BOX[2] + 1, ny0 + 20, r=2)

    # Option menu key: the face lives here, the control only takes the click.
    mx0, my0, mx1, my1 = MENU_BUTTON
    raised(ctx, mx0, my0, mx1, my1, 2.5, hexc("4d545d"), hexc("343a41"))
    font(ctx, SANS, 9, bold=True)
    text(ctx, "MENU", (mx0 + mx1) / 2, my0 + 12, SHADOW, a=0.5)
    text(ctx, "MENU", (mx0 + mx1) / 2, my0 + 11, ENGRAVE)

    # Version window: kept dark and empty for the read-out drawn by code.
    vx0, vy0, vx1, vy1 = VERSION_BOX
    # Centred on the read-out's own centre, clear of the learn switch.
    recessed(ctx, vx0 + 2, ny0, vx1 - 2, ny0 + 20, r=2, fill=hexc("14171b"))

    screw(ctx, 8.5, 8.5)
    screw(ctx, PANEL_W - 8.5, 8.5)


def draw_pad(ctx):
    L, T, R, B = PAD
    cx, cy = PAD_CX, PAD_CY

    # Caption and ball legend above the pad.
    font(ctx, SANS, 9, bold=True)
    engraved(ctx, "VARIATION", L + 1, T - 6, ENGRAVE, "left", spacing=1.0)
    for i, (label, col) in enumerate([("1", ACCENT), ("2", COOL)]):
        x = R - 30 + i * 18
        ctx.arc(x + 0.5, T - 9.5, 3.5, 0, 2 * math.pi)
        rgba(ctx, col)
        ctx.fill()
        engraved(ctx, label, x + 6, T - 6, ENGRAVE_DIM, "left")

    # The pad well.
    recessed(ctx, L, T, R, B, r=4, fill=hexc("101317"))

    ctx.save()
    round_rect(ctx, L, T, R, B, 4)
    ctx.clip()
    # Disc: where the balls can be. A soft radial glow lifts it from the well.
    g = cairo.RadialGradient(cx, cy - 30, 10, cx, cy, PAD_DISC_R)
    g.add_color_stop_rgba(0, *hexc("232931"))
    g.add_color_stop_rgba(0.85, *hexc("1a1f25"))
    g.add_color_stop_rgba(1, *hexc("161a1f"))
    ctx.arc(cx, cy, PAD_DISC_R - 0.5, 0, 2 * math.pi)
    ctx.set_source(g)
    ctx.fill()
    ctx.set_line_width(1)
    ctx.arc(cx, cy, PAD_DISC_R - 0.5, 0, 2 * math.pi)
    rgba(ctx, LIGHT, 0.08)
    ctx.stroke()

    # Grid: rings at quarter, half and three quarter travel, and the axes.
    for f in (0.25, 0.5, 0.75):
        ctx.arc(cx, cy, PAD_TRAVEL_R * f, 0, 2 * math.pi)
        rgba(ctx, LIGHT, 0.05)
        ctx.stroke()
    # Axes through the centre, one pixel to the right of / below the centre
    # line (the centre falls between two pixels); they stop short of the
    # compass words.
    axis_r = PAD_TRAVEL_R - 14
    vline(ctx, int(cx), int(cy - axis_r), int(cy + axis_r) + 1, LIGHT, 0.09)
    hline(ctx, int(cx - axis_r), int(cx + axis_r) + 1, int(cy), LIGHT, 0.09)
    # Diagonals: where the square's corners land on the circle.
    for ang in (45, 135, 225, 315):
        a = math.radians(ang)
        ctx.move_to(cx + math.cos(a) * 20, cy + math.sin(a) * 20)
        ctx.line_to(cx + math.cos(a) * (PAD_TRAVEL_R - 4), cy + math.sin(a) * (PAD_TRAVEL_R - 4))
    ctx.set_dash([1, 3])
    rgba(ctx, LIGHT, 0.06)
    ctx.stroke()
    ctx.set_dash([])

    # Travel circle: the path of a ball's centre at the edge, broken where
    # the compass words sit.
    gap = math.radians(17)
    for k in range(4):
        a0 = k * math.pi / 2 + gap
        a1 = (k + 1) * math.pi / 2 - gap
        ctx.new_sub_path()
        ctx.arc(cx, cy, PAD_TRAVEL_R, a0, a1)
    rgba(ctx, ACCENT, 0.28)
    ctx.stroke()
    # Ticks on the travel circle at every 15 degrees, longer at 45.
    for k in range(24):
        if k % 6 == 0:
            continue
        a = math.radians(k * 15)
        r0 = PAD_TRAVEL_R - (6 if k % 3 == 0 else 3)
        ctx.move_to(cx + math.cos(a) * r0, cy + math.sin(a) * r0)
        ctx.line_to(cx + math.cos(a) * PAD_TRAVEL_R, cy + math.sin(a) * PAD_TRAVEL_R)
    rgba(ctx, ACCENT, 0.35)
    ctx.stroke()
    # Centre mark.
    ctx.arc(cx, cy, 2.5, 0, 2 * math.pi)
    rgba(ctx, ACCENT, 0.45)
    ctx.stroke()

    # Compass: the four tone models, centred on the travel circle.
    font(ctx, SANS, 10, bold=True)
    r_word = PAD_TRAVEL_R
    caps = 7  # cap height of a 10 px bold face
    text(ctx, "GLASS", cx, cy - r_word + caps / 2, ENGRAVE, spacing=1.2)
    text(ctx, "STRING", cx, cy + r_word + caps / 2, ENGRAVE, spacing=1.2)
    ctx.save()
    ctx.translate(cx - r_word + caps / 2, cy)
    ctx.rotate(-math.pi / 2)
    text(ctx, "WOOD", 0, 0, ENGRAVE, spacing=1.2)
    ctx.restore()
    ctx.save()
    ctx.translate(cx + r_word - caps / 2, cy)
    ctx.rotate(math.pi / 2)
    text(ctx, "METAL", 0, 0, ENGRAVE, spacing=1.2)
    ctx.restore()

    # Axis letters and arrow heads at the positive ends of the axes.
    font(ctx, SANS, 10, bold=True)
    text(ctx, "X", cx + axis_r - 8, cy - 5, ENGRAVE_DIM, "center")
    text(ctx, "Y", cx + 9, cy - axis_r + 9, ENGRAVE_DIM, "center")
    ax = cx + axis_r
    ctx.move_to(ax + 5, cy + 0.5)
    ctx.line_to(ax, cy - 2.5)
    ctx.line_to(ax, cy + 3.5)
    ctx.close_path()
    ay = cy - axis_r
    ctx.move_to(cx + 0.5, ay - 5)
    ctx.line_to(cx - 2.5, ay)
    ctx.line_to(cx + 3.5, ay)
    ctx.close_path()
    rgba(ctx, ENGRAVE_DIM, 0.8)
    ctx.fill()
    ctx.restore()

    # Value corners: a small axis letter in the ball's colour beside each
    # read-out tells which value it is.
    font(ctx, SANS, 9, bold=True)
    for rect, col in ((PAD_Y_TEXT, ACCENT), (PAD_Y2_TEXT, COOL)):
        yc = (rect[1] + rect[3]) / 2
        text(ctx, "Y", rect[2] + 4, yc + 3.5, col)
    for rect, col in ((PAD_X_TEXT, ACCENT), (PAD_X2_TEXT, COOL)):
        yc = (rect[1] + rect[3]) / 2
        text(ctx, "X", rect[0] - 4, yc + 3.5, col)


def draw_brand(ctx):
    """Product and maker above the faders."""
    x0, x1 = 288, 600
    cx = (x0 + x1) / 2
    font(ctx, SANS, 44, bold=True)
    spacing = 7.0
    w_orv = text_width(ctx, "ORV", spacing)
    font(ctx, SANS, 9, bold=True)
    tag = "VARIATION SYNTHESIZER"
    w_tag = text_width(ctx, tag, 1.4)
    gap = 16
    total = w_orv + gap + 1 + gap + w_tag
    left = round(cx - total / 2)
    base = 122
    # The name, in accent amber with a soft drop.
    font(ctx, SANS, 44, bold=True)
    text(ctx, "ORV", left + 1, base + 2, SHADOW, "left", spacing, a=0.45)
    ctx.save()
    ctx.set_source(vgrad(base - 32, base, [(0, hexc("ffc777")), (1, ACCENT_DEEP)]))
    x = left
    for ch in "ORV":
        ctx.move_to(x, base)
        ctx.text_path(ch)
        x += ctx.text_extents(ch).x_advance + spacing
    ctx.fill()
    ctx.restore()
    # Divider and the two lines of small print.
    dx = left + round(w_orv) + gap
    vline(ctx, dx, base - 31, base + 1, SHADOW, 0.5)
    vline(ctx, dx + 1, base - 31, base + 1, LIGHT, 0.12)
    font(ctx, SANS, 15, bold=True)
    engraved(ctx, "Tarnwick", dx + gap, base - 16, ENGRAVE, "left", spacing=0.6)
    font(ctx, SANS, 9, bold=True)
    engraved(ctx, tag, dx + gap, base - 1, ENGRAVE_DIM, "left", spacing=1.4)


def draw_v_fader(ctx, x, caption):
    cx = x + V_HANDLE_W / 2     # 13 px in: the slot is 4 px wide about it
    # Caption.
    font(ctx, SANS, 10, bold=True)
    engraved(ctx, caption, cx, V_FADER_TOP - 9, ENGRAVE)
    # Slot.
    top = v_handle_top(1.0) + V_HANDLE_MARK_ROW - 4
    bottom = v_handle_top(0.0) + V_HANDLE_MARK_ROW + 5
    recessed(ctx, cx - 2, top, cx + 2, bottom, r=1.5, fill=hexc("07090b"))
    # Scale: a tick where the handle's mark sits for 0, 1, ..., 10,
    # numerals for the even values.
    font(ctx, SANS, 9)
    for k in range(11):
        row = v_handle_top(k / 10) + V_HANDLE_MARK_ROW
        major = k % 5 == 0
        tl = 5 if major else 3
        hline(ctx, x - 2 - tl, x - 2, row, ENGRAVE_DIM, 0.95 if major else 0.6)
        hline(ctx, x + V_HANDLE_W + 2, x + V_HANDLE_W + 2 + tl, row, ENGRAVE_DIM,
              0.95 if major else 0.6)
        if k % 2 == 0:
            text(ctx, str(k), x - 9, row + 4, ENGRAVE_DIM, "right")


def draw_h_fader(ctx):
    x, y = H_FADER
    # The handle body is 26 rows over one row of shadow: its middle, and the
    # slot's, is 13 pixels down.
    cy = y + 13
    font(ctx, SANS, 10, bold=True)
    engraved(ctx, "Envelope", x + H_TRAVEL / 2, y - 7, ENGRAVE)
    left = h_handle_left(0.0) + H_HANDLE_MARK_COL - 4
    right = h_handle_left(1.0) + H_HANDLE_MARK_COL + 5
    recessed(ctx, left, cy - 2, right, cy + 2, r=1.5, fill=hexc("07090b"))
    for k in range(11):
        col = h_handle_left(k / 10) + H_HANDLE_MARK_COL
        major = k % 5 == 0
        tl = 5 if major else 3
        vline(ctx, col, y + H_HANDLE_H + 2, y + H_HANDLE_H + 2 + tl, ENGRAVE_DIM,
              0.95 if major else 0.6)
    font(ctx, SANS, 10, bold=True)
    engraved(ctx, "soft", x - 6, cy + 4, ENGRAVE_DIM, "right")
    engraved(ctx, "perc.", x + H_TRAVEL + 5, cy + 4, ENGRAVE_DIM, "left")


def draw_mode_place(ctx):
    x, y = MODE_SWITCH
    font(ctx, SANS, 10, bold=True)
    engraved(ctx, "Morph Mode", x + MODE_W / 2, H_FADER[1] - 7, ENGRAVE)
    # A bezel the switch sits in.
    recessed(ctx, x - 2, y - 2, x + MODE_W + 2, y + MODE_H + 2, r=3, fill=hexc("0a0c0f"))


def draw_background():
    surf, ctx = new_surface(PANEL_W, PANEL_H, opaque=True)
    ctx.rectangle(0, 0, PANEL_W, PANEL_H)
    ctx.set_source(vgrad(0, PANEL_H, [(0, PANEL_HI), (1, PANEL_LO)]))
    ctx.fill()
    brush_texture(surf, (0, 0, surf.get_width(), surf.get_height()), seed=20, strength=4.0)
    # Outer bevel of the panel.
    hline(ctx, 0, PANEL_W, PANEL_H - 1, SHADOW, 0.6)
    vline(ctx, 0, 0, PANEL_H, LIGHT, 0.05)
    vline(ctx, PANEL_W - 1, 0, PANEL_H, SHADOW, 0.45)

    draw_top_bar(ctx)
    draw_pad(ctx)
    draw_brand(ctx)
    for x, caption in V_FADERS:
        draw_v_fader(ctx, x, caption)
    draw_h_fader(ctx)
    draw_mode_place(ctx)
    screw(ctx, 8.5, PANEL_H - 8.5)
    screw(ctx, PANEL_W - 8.5, PANEL_H - 8.5)
    surf.flush()
    return surf


# ---------------------------------------------------------------------------
# Sprites


def draw_ball(light, base, rim):
    surf, ctx = new_surface(BALL_W, BALL_H)
    c = BALL_SPHERE / 2          # centre (12, 12) in the image
    r = c - 1                    # leaves a pixel of the square for the shadow
    # Contact shadow, down and right, kept inside the 24 x 24 square.
    ctx.save()
    ctx.rectangle(0, 0, BALL_SPHERE, BALL_SPHERE)
    ctx.clip()
    g = cairo.RadialGradient(c + 0.8, c + 1.5, r - 3, c + 0.8, c + 1.5, r + 1.2)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.6)
    g.add_color_stop_rgba(1, 0, 0, 0, 0)
    ctx.arc(c + 0.8, c + 1.5, r + 1.2, 0, 2 * math.pi)
    ctx.set_source(g)
    ctx.fill()
    ctx.restore()
    # Body, lit from the upper left.
    g = cairo.RadialGradient(c - 3.5, c - 4.5, 1, c, c, r)
    g.add_color_stop_rgba(0, *light)
    g.add_color_stop_rgba(0.45, *base)
    g.add_color_stop_rgba(1, *rim)
    ctx.arc(c, c, r, 0, 2 * math.pi)
    ctx.set_source(g)
    ctx.fill()
    # Bounce light along the lower rim.
    ctx.save()
    ctx.arc(c, c, r, 0, 2 * math.pi)
    ctx.clip()
    g = cairo.RadialGradient(c + 2, c + 9, 1, c + 2, c + 9, 8)
    g.add_color_stop_rgba(0, 1, 1, 1, 0.22)
    g.add_color_stop_rgba(1, 1, 1, 1, 0)
    ctx.set_source(g)
    ctx.paint()
    ctx.restore()
    # Glossy highlight.
    g = cairo.RadialGradient(c - 4, c - 5, 0, c - 4, c - 5, 4.5)
    g.add_color_stop_rgba(0, 1, 1, 1, 0.9)
    g.add_color_stop_rgba(1, 1, 1, 1, 0)
    ctx.arc(c - 4, c - 5, 4.5, 0, 2 * math.pi)
    ctx.set_source(g)
    ctx.fill()
    # A dark rim keeps the edge readable over the grid.
    ctx.set_line_width(1)
    ctx.arc(c, c, r - 0.5, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.stroke()
    surf.flush()
    return surf


def draw_handle_v():
    surf, ctx = new_surface(V_HANDLE_W, V_HANDLE_H)
    body = V_HANDLE_H - 1        # 15 rows; the last row is the shadow
    ctx.rectangle(1, body - 1, V_HANDLE_W - 1, 2)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    raised(ctx, 0, 0, V_HANDLE_W, body, 2, hexc("e1e4e8"), hexc("8c939b"),
           outline=hexc("15181b"), hi=0.5)
    # Grip grooves either side of the mark.
    for row in (3, 5, 9, 11):
        hline(ctx, 3, V_HANDLE_W - 3, row, SHADOW, 0.22)
        hline(ctx, 3, V_HANDLE_W - 3, row + 1, LIGHT, 0.25)
    # The mark: one amber row at the handle's centre, which the scale ticks
    # line up with.
    hline(ctx, 1, V_HANDLE_W - 1, V_HANDLE_MARK_ROW, hexc("1a1c1f"))
    hline(ctx, 3, V_HANDLE_W - 3, V_HANDLE_MARK_ROW, ACCENT)
    surf.flush()
    return surf


def draw_handle_h():
    surf, ctx = new_surface(H_HANDLE_W, H_HANDLE_H)
    body = H_HANDLE_H - 1        # 26 rows; the last row is the shadow
    ctx.rectangle(1, body - 1, H_HANDLE_W - 1, 2)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    raised(ctx, 0, 0, H_HANDLE_W, body, 2, hexc("e1e4e8"), hexc("8c939b"),
           outline=hexc("15181b"), hi=0.5)
    for col in (3, 5, 9, 11):
        vline(ctx, col, 4, body - 4, SHADOW, 0.22)
        vline(ctx, col + 1, 4, body - 4, LIGHT, 0.25)
    vline(ctx, H_HANDLE_MARK_COL, 1, body - 1, hexc("1a1c1f"))
    vline(ctx, H_HANDLE_MARK_COL, 3, body - 3, ACCENT)
    surf.flush()
    return surf


KEY_TOP, KEY_BOTTOM = hexc("4f565f"), hexc("30353c")
KEY_DOWN_TOP, KEY_DOWN_BOTTOM = hexc("23272c"), hexc("30353b")


def draw_arrow_button(direction):
    """Two 22 x 22 frames: released, pressed. direction -1 left, +1 right."""
    surf, ctx = new_surface(BUTTON, BUTTON, frames=2)
    for frame in (0, 1):
        ctx.save()
        ctx.translate(0, frame_top(frame, BUTTON))
        pressed = frame == 1
        if pressed:
            raised(ctx, 0, 0, BUTTON, BUTTON, 3, KEY_DOWN_TOP, KEY_DOWN_BOTTOM, hi=0.0)
            ctx.set_source(vgrad(1, 5, [(0, (0, 0, 0, 0.45)), (1, (0, 0, 0, 0))]))
            round_rect(ctx, 1, 1, BUTTON - 1, BUTTON - 1, 2)
            ctx.fill()
        else:
            raised(ctx, 0, 0, BUTTON, BUTTON, 3, KEY_TOP, KEY_BOTTOM)
        dy = 1 if pressed else 0
        cy = BUTTON / 2 + dy
        tip = BUTTON / 2 + direction * 3.5
        back = BUTTON / 2 - direction * 3.0

        def arrow(y):
            ctx.move_to(tip, y)
            ctx.line_to(back, y - 4.5)
            ctx.line_to(back, y + 4.5)
            ctx.close_path()

        # Released: the arrow is embossed, with a dark edge below it.
        if not pressed:
            arrow(cy + 1)
            rgba(ctx, SHADOW, 0.5)
            ctx.fill()
        arrow(cy)
        rgba(ctx, ACCENT if pressed else ENGRAVE)
        ctx.fill()
        ctx.restore()
    surf.flush()
    return surf


def draw_learn_switch(word, lit):
    """Two 50 x 22 frames: off, on. The LED and the word light up when on."""
    surf, ctx = new_surface(LEARN_W, LEARN_H, frames=2)
    for frame in (0, 1):
        on = frame == 1
        ctx.save()
        ctx.translate(0, frame_top(frame, LEARN_H))
        if on:
            raised(ctx, 0, 0, LEARN_W, LEARN_H, 3, KEY_DOWN_TOP, KEY_DOWN_BOTTOM, hi=0.0)
            round_rect(ctx, 1, 1, LEARN_W - 1, LEARN_H - 1, 2)
            ctx.set_source(vgrad(1, 5, [(0, (0, 0, 0, 0.45)), (1, (0, 0, 0, 0))]))
            ctx.fill()
        else:
            raised(ctx, 0, 0, LEARN_W, LEARN_H, 3, KEY_TOP, KEY_BOTTOM)
        dy = 1 if on else 0
        # LED.
        lx, ly = 7.5, LEARN_H / 2 + dy
        if on:
            g = cairo.RadialGradient(lx, ly, 0, lx, ly, 6)
            g.add_color_stop_rgba(0, lit[0], lit[1], lit[2], 0.55)
            g.add_color_stop_rgba(1, lit[0], lit[1], lit[2], 0)
            ctx.arc(lx, ly, 6, 0, 2 * math.pi)
            ctx.set_source(g)
            ctx.fill()
        ctx.arc(lx, ly, 2.8, 0, 2 * math.pi)
        rgba(ctx, SHADOW, 0.8)
        ctx.fill()
        g = cairo.RadialGradient(lx - 0.8, ly - 0.8, 0.2, lx, ly, 2.3)
        if on:
            g.add_color_stop_rgba(0, 1, 1, 0.9, 1)
            g.add_color_stop_rgba(1, *lit)
        else:
            g.add_color_stop_rgba(0, *mix(lit, hexc("30343a"), 0.6))
            g.add_color_stop_rgba(1, *mix(lit, hexc("15171a"), 0.8))
        ctx.arc(lx, ly, 2.2, 0, 2 * math.pi)
        ctx.set_source(g)
        ctx.fill()
        # Word, between the LED and the right edge; both modes use one face
        # so the key does not change its look when the mode flips.
        left, right = 12, LEARN_W - 2
        # Hinting rounds glyph widths at each scale; where that makes the
        # word too wide, it is set a little smaller.
        size = 9.0
        font(ctx, NARROW, size, bold=True)
        while text_width(ctx, word) > right - left and size > 8.0:
            size -= 0.25
            font(ctx, NARROW, size, bold=True)
        if text_width(ctx, word) > right - left:
            sys.exit(f"learn switch: {word} does not fit")
        tx = (left + right) / 2
        text(ctx, word, tx, 15 + dy, SHADOW, a=0.5)
        text(ctx, word, tx, 14 + dy, lit if on else ENGRAVE)
        ctx.restore()
    surf.flush()
    return surf


def draw_mode_switch():
    """Four 52 x 16 frames reading the morph modes, top to bottom."""
    surf, ctx = new_surface(MODE_W, MODE_H, frames=len(MODE_NAMES))
    for frame, name in enumerate(MODE_NAMES):
        ctx.save()
        ctx.translate(0, frame_top(frame, MODE_H))
        raised(ctx, 0, 0, MODE_W, MODE_H, 2, hexc("3f454d"), hexc("2b3036"), hi=0.18)
        font(ctx, NARROW, 10, bold=True)
        tx = MODE_W / 2
        col = ENGRAVE if frame == 0 else ACCENT
        text(ctx, name, tx, 12, SHADOW, a=0.6)
        text(ctx, name, tx, 11, col)
        ctx.restore()
    surf.flush()
    return surf


# ---------------------------------------------------------------------------
# PNG output (our own writer: fixed chunks, straight alpha)


def surface_rows(surf, alpha):
    """Rows of RGB or RGBA bytes from a cairo surface (premultiplied BGRA in memory)."""
    w, h, stride = surf.get_width(), surf.get_height(), surf.get_stride()
    data = bytes(surf.get_data())
    rows = []
    for y in range(h):
        row = bytearray()
        for x in range(w):
            i = y * stride + 4 * x
            if sys.byteorder == "little":
                b, g, r, a = data[i], data[i + 1], data[i + 2], data[i + 3]
            else:
                a, r, g, b = data[i], data[i + 1], data[i + 2], data[i + 3]
            if not alpha:
                row += bytes((r, g, b))
            elif a == 0:
                row += b"\0\0\0\0"
            else:
                un = lambda c: min(255, (c * 255 + a // 2) // a)
                row += bytes((un(r), un(g), un(b), a))
        rows.append(bytes(row))
    return rows


def png_bytes(w, h, rows, alpha):
    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + r for r in rows)
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_png(path, surf, alpha):
    data = png_bytes(surf.get_width(), surf.get_height(), surface_rows(surf, alpha), alpha)
    with open(path, "wb") as f:
        f.write(data)


def read_png_header(path):
    """(width, height, bit depth, colour type) from a PNG's IHDR."""
    with open(path, "rb") as f:
        head = f.read(33)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError(path + ": not a PNG")
    w, h, depth, ctype = struct.unpack(">IIBB", head[16:26])
    return w, h, depth, ctype


# ---------------------------------------------------------------------------
# The images: the table's name, drawing, alpha

IMAGES = [
    ("BackgroundImage", draw_background, False),
    ("BallImage", lambda: draw_ball(hexc("ffe6b0"), ACCENT, hexc("7a3c08")), True),
    ("Ball2Image", lambda: draw_ball(hexc("cfe2f2"), COOL, hexc("1e3347")), True),
    ("HandleVerticalImage", draw_handle_v, True),
    ("HandleHorizontalImage", draw_handle_h, True),
    ("PreviousButtonImage", lambda: draw_arrow_button(-1), True),
    ("NextButtonImage", lambda: draw_arrow_button(+1), True),
    ("LearnImage", lambda: draw_learn_switch("LEARN", ACCENT), True),
    ("UnlearnImage", lambda: draw_learn_switch("UNLEARN", WARN), True),
    ("MorphModeImage", draw_mode_switch, True),
]


def image_file(name):
    """(file name, pixel size, frames) of a table image at the current scale."""
    _, stem, frames, w, h = LAYOUT["IMAGE"][name]
    return stem + ".png", (px(w), frames * px(h)), frames


def check_fonts():
    """Refuses to draw with a substitute face: the labels are measured for these."""
    for family, stem in FONT_FILES.items():
        for style in ("Regular", "Bold"):
            out = subprocess.run(["fc-match", "-f", "%{file}", f"{family}:style={style}"],
                                 capture_output=True, text=True, check=True).stdout
            if os.path.basename(out) != f"{stem}-{style}.ttf":
                sys.exit(f"font {family} {style} resolves to {out!r}; install fonts-liberation")


def check_image(path, size, frames, alpha):
    w, h, depth, ctype = read_png_header(path)
    want_type = 6 if alpha else 2
    if (w, h) != size or depth != 8 or ctype != want_type:
        sys.exit(f"{path}: {w}x{h} depth {depth} type {ctype}, "
                 f"expected {size[0]}x{size[1]} depth 8 type {want_type}")
    if h % frames:
        sys.exit(f"{path}: height {h} is not {frames} frames")


def drawn_outside(surf, w, h):
    """True when any pixel right of column w or below row h is visible."""
    stride = surf.get_stride()
    data = bytes(surf.get_data())
    a = 3 if sys.byteorder == "little" else 0
    return any(data[y * stride + 4 * x + a]
               for y in range(surf.get_height()) for x in range(surf.get_width())
               if x >= w or y >= h)


def frame_is_drawn(surf, frames):
    """Every frame of a strip must have visible pixels."""
    stride = surf.get_stride()
    data = bytes(surf.get_data())
    fh = surf.get_height() // frames
    for f in range(frames):
        seen = any(data[y * stride + 4 * x + (3 if sys.byteorder == "little" else 0)]
                   for y in range(f * fh, (f + 1) * fh) for x in range(surf.get_width()))
        if not seen:
            return False
    return True


# ---------------------------------------------------------------------------
# Preview: the panel as the editor composes it


def paste(ctx, surf, x, y, frame=0, frames=1):
    fh = surf.get_height() // frames
    ctx.save()
    ctx.rectangle(x, y, surf.get_width(), fh)
    ctx.clip()
    ctx.set_source_surface(surf, x, y - frame * fh)
    ctx.paint()
    ctx.restore()


def readout(ctx, s, rect, size, alpha):
    """Centred white text like the editor's read-outs (Arial = Liberation Sans), in pixels."""
    rect = tuple(px(v) for v in rect)
    font(ctx, SANS, px(size))
    ext = ctx.text_extents(s)
    x = (rect[0] + rect[2]) // 2 - int(ext.x_advance) // 2
    asc = ctx.font_extents()[0]
    ctx.set_source_rgba(1, 1, 1, alpha / 255)
    ctx.move_to(x, rect[1] + round(asc))
    ctx.show_text(s)


def draw_preview(images, path):
    """The panel as the editor composes it at the current scale, in its pixels."""
    surf, ctx = device_surface(px(PANEL_W), px(PANEL_H))
    at = lambda point: (px(point[0]), px(point[1]))
    paste(ctx, images["BackgroundImage"], 0, 0)
    readout(ctx, "07", NUMBER_BOX, PROGRAM_TEXT, 224)
    readout(ctx, "Ice Palace", NAME_BOX, PROGRAM_TEXT, 224)
    paste(ctx, images["PreviousButtonImage"], *at(PREV_BUTTON), 0, 2)
    paste(ctx, images["NextButtonImage"], *at(NEXT_BUTTON), 0, 2)
    readout(ctx, "v.2.0.0.N", VERSION_BOX, VERSION_TEXT, 128)
    paste(ctx, images["LearnImage"], *at(LEARN_SWITCH), 0, 2)
    # Pad: values as signed percentages, second ball under the first.
    b1, b2 = (0.25, 0.5), (-0.7, -0.9)
    readout(ctx, "+25", PAD_X_TEXT, PAD_TEXT, 160)
    readout(ctx, "+50", PAD_Y_TEXT, PAD_TEXT, 160)
    readout(ctx, "-70", PAD_X2_TEXT, PAD_TEXT, 96)
    readout(ctx, "-90", PAD_Y2_TEXT, PAD_TEXT, 96)
    paste(ctx, images["Ball2Image"], *ball_top_left(*b2))
    paste(ctx, images["BallImage"], *ball_top_left(*b1))
    for (x, _), v in zip(V_FADERS, (0.0, 0.3, 0.5, 0.8, 1.0)):
        paste(ctx, images["HandleVerticalImage"], px(x), round(v_handle_top(v) * SCALE))
    paste(ctx, images["HandleHorizontalImage"], round(h_handle_left(0.4) * SCALE), px(H_FADER[1]))
    paste(ctx, images["MorphModeImage"], *at(MODE_SWITCH), 2, 4)
    surf.flush()
    write_png(path, surf, alpha=False)


def draw_frames_sheet(images, path, zoom=3):
    """Every frame of every image side by side, enlarged, on a mid grey."""
    strips = [images[name] for name, _, _ in IMAGES if name != "BackgroundImage"]
    pad = 8
    width = pad + sum(s.get_width() * zoom + pad for s in strips)
    height = pad + max(s.get_height() * zoom for s in strips) + pad
    surf, ctx = device_surface(width, height)
    ctx.set_source_rgb(0.3, 0.32, 0.35)
    ctx.paint()
    x = pad
    for s in strips:
        ctx.save()
        ctx.translate(x, pad)
        ctx.scale(zoom, zoom)
        ctx.set_source_surface(s, 0, 0)
        ctx.get_source().set_filter(cairo.FILTER_NEAREST)
        ctx.paint()
        ctx.restore()
        x += s.get_width() * zoom + pad
    surf.flush()
    write_png(path, surf, alpha=False)


def draw_scale(percent):
    """Draws, writes and checks every image at one scale; returns them by name."""
    global SCALE
    SCALE = percent / 100
    folder = IMG_DIR if percent == SCALE_PERCENTS[0] else os.path.join(IMG_DIR, str(percent))
    os.makedirs(folder, exist_ok=True)
    images = {}
    for name, draw, alpha in IMAGES:
        file_name, size, frames = image_file(name)
        surf = draw()
        if (surf.get_width(), surf.get_height()) != size:
            sys.exit(f"{name}: drew {surf.get_width()}x{surf.get_height()}, expected {size}")
        if alpha and not frame_is_drawn(surf, frames):
            sys.exit(f"{name}: a frame is empty")
        if name.startswith("Ball") and drawn_outside(surf, px(BALL_SPHERE), px(BALL_SPHERE)):
            sys.exit(f"{name}: pixels outside the top-left {BALL_SPHERE} x {BALL_SPHERE} "
                     "would leave traces beside the pad")
        path = os.path.join(folder, file_name)
        write_png(path, surf, alpha)
        check_image(path, size, frames, alpha)
        images[name] = surf
        print(f"wrote {os.path.relpath(path, ROOT)} {size[0]}x{size[1]} "
              f"{'RGBA' if alpha else 'RGB'} {frames} frame(s)")
    os.makedirs(BUILD_DIR, exist_ok=True)
    preview = os.path.join(BUILD_DIR, f"skin-preview-{percent}.png")
    draw_preview(images, preview)
    print(f"preview {os.path.relpath(preview, ROOT)}")
    return images


def main():
    check_fonts()
    for percent in SCALE_PERCENTS:
        images = draw_scale(percent)
        if percent == SCALE_PERCENTS[0]:
            sheet = os.path.join(BUILD_DIR, "skin-frames.png")
            draw_frames_sheet(images, sheet)
            print(f"frames {os.path.relpath(sheet, ROOT)}")


if __name__ == "__main__":
    main()
