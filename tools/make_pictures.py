#!/usr/bin/env python3
"""Draws every picture the client's windows use into assets/pictures/.

    python3 tools/make_pictures.py

Needs Pillow and the WenQuanYi Micro Hei font (Debian: python3-pil, fonts-wqy-microhei). The output is
byte-identical from run to run: nothing random, no timestamps, no PNG text or colour-profile chunks.

The windows are frameless and take their whole look from these pictures: the controls lie over them at
fixed places, and most labels are bare click areas over a caption painted here. Every coordinate below
is therefore tied to a control's place in the window layouts; the comments name the control.
"""

import functools
import os
import struct
import sys
from pathlib import Path

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:
    # A Python of its own (pyenv, a venv) may shadow the system one that Debian's python3-pil serves.
    SYSTEM_PYTHON = "/usr/bin/python3"
    if os.path.exists(SYSTEM_PYTHON) and os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON, *sys.argv])
    sys.exit("make_pictures: Pillow is missing (apt-get install -y python3-pil)")

OUT = Path(__file__).resolve().parent.parent / "assets" / "pictures"
# The client's Qt build renders its labels ("微软雅黑", 9 pt) with this font, so painted captions match them.
FONT_FILE = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
SS = 4  # shapes are drawn this many times larger and reduced, which anti-aliases their edges

# Palette: one green family for strips, buttons, marks and the icon; quiet greys for panels and text.
WHITE = (255, 255, 255)
GREEN = (31, 163, 107)
GREEN_DARK = (22, 128, 86)
GREEN_BRIGHT = (38, 178, 122)
GREEN_TINT = (234, 247, 240)
STRIP_LEFT = (22, 128, 86)
STRIP_RIGHT = (36, 172, 121)
BODY = (242, 245, 244)
CARD_BORDER = (216, 224, 220)
WINDOW_BORDER = (178, 192, 186)
DIVIDER = (228, 234, 231)
BAND = (236, 244, 240)
STATUS_STRIP = (230, 236, 233)
TEXT = (46, 58, 54)
TEXT_MUTED = (112, 128, 122)
GLYPH = (128, 143, 137)
MARK_GREY = (166, 178, 173)

CAPTION_PX = 12  # the labels' 9 pt at 96 dpi
SECTION_PX = 13


@functools.lru_cache(maxsize=None)
def font(px):
    # The basic layout needs no shaping library, so the glyphs come out the same wherever Pillow runs.
    return ImageFont.truetype(FONT_FILE, px, index=0, layout_engine=ImageFont.Layout.BASIC)


class Sketch:
    """Shapes at SS times the picture size, reduced by area averaging to the picture size.

    Coordinates are picture pixels; a box (x0, y0, x1, y1) covers x0 <= x < x1, so a box equal to a
    control's place and size covers exactly that control, and an outline lies inside its box.
    """

    def __init__(self, size, background=None):
        self.size = size
        fill = background + (255,) if background else (0, 0, 0, 0)
        self.big = Image.new("RGBA", (size[0] * SS, size[1] * SS), fill)
        self.draw = ImageDraw.Draw(self.big)

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        return (round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1)

    @staticmethod
    def _points(points):
        return [(x * SS, y * SS) for x, y in points]

    def rect(self, box, fill=None, outline=None, width=1.0, radius=0.0):
        self.draw.rounded_rectangle(self._box(box), radius=radius * SS, fill=fill, outline=outline,
                                    width=round(width * SS))

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.draw.ellipse(self._box(box), fill=fill, outline=outline, width=round(width * SS))

    def arc(self, box, start, end, colour, width):
        self.draw.arc(self._box(box), start, end, fill=colour, width=round(width * SS))

    def pieslice(self, box, start, end, fill):
        self.draw.pieslice(self._box(box), start, end, fill=fill)

    def line(self, points, colour, width=1.0, round_caps=True):
        big = self._points(points)
        w = width * SS
        self.draw.line(big, fill=colour, width=round(w), joint="curve")
        if round_caps:
            for x, y in (big[0], big[-1]):
                self.draw.ellipse((x - w / 2, y - w / 2, x + w / 2, y + w / 2), fill=colour)

    def gradient(self, box, start, end, horizontal=False, radius=0.0):
        x0, y0, x1, y1 = self._box(box)
        w, h = x1 - x0 + 1, y1 - y0 + 1
        ramp = Image.linear_gradient("L")  # 0 at the top to 255 at the bottom
        if horizontal:
            ramp = ramp.transpose(Image.Transpose.ROTATE_90)  # 0 at the left
        ramp = ramp.resize((w, h), Image.Resampling.BILINEAR)
        layer = Image.composite(Image.new("RGBA", (w, h), end + (255,)), Image.new("RGBA", (w, h), start + (255,)),
                                ramp)
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1), radius=radius * SS, fill=255)
        self.big.paste(layer, (x0, y0), mask)

    def glaze(self, paint):
        """Composites translucent shapes: paint(sketch) draws on a clear layer laid over this one."""
        layer = Sketch(self.size)
        paint(layer)
        self.big.alpha_composite(layer.big)

    def place(self, picture, centre):
        """Lays a finished picture (an emblem) over the sketch, centred on `centre`."""
        big = picture.resize((picture.width * SS, picture.height * SS), Image.Resampling.LANCZOS)
        self.big.alpha_composite(big, (round(centre[0] * SS - big.width / 2), round(centre[1] * SS - big.height / 2)))

    def finish(self):
        # Averaging premultiplied colour keeps edges over transparency free of dark fringes.
        return self.big.convert("RGBa").resize(self.size, Image.Resampling.BOX).convert("RGBA")


def write_text(picture, x, cy, text, px=CAPTION_PX, colour=TEXT, align="left"):
    """Writes text whose CJK ink is centred on row cy, starting at x (or ending at x, or centred on x).

    The baseline is a whole pixel, so the hinted glyphs stay sharp.
    """
    face = font(px)
    top, bottom = face.getbbox("国", anchor="ls")[1::2]
    baseline = round(cy - (top + bottom) / 2)
    anchor = {"left": "ls", "right": "rs", "centre": "ms"}[align]
    ImageDraw.Draw(picture).text((x, baseline), text, font=face, fill=colour, anchor=anchor)


# ---------------------------------------------------------------------------------------------- shared shapes


def close_mark(s, cx, cy, colour=WHITE, half=4.5):
    s.line([(cx - half, cy - half), (cx + half, cy + half)], colour, 1.6)
    s.line([(cx - half, cy + half), (cx + half, cy - half)], colour, 1.6)


def minimise_mark(s, cx, cy, colour=WHITE):
    s.line([(cx - 5, cy), (cx + 5, cy)], colour, 1.6)


def down_arrow(s, cx, cy, colour=GLYPH):
    s.line([(cx - 4, cy - 2), (cx, cy + 2), (cx + 4, cy - 2)], colour, 1.5)


def title_strip(s, width, height):
    s.gradient((0, 0, width, height), STRIP_LEFT, STRIP_RIGHT, horizontal=True)


def window_border(s, size):
    s.rect((0, 0, size[0], size[1]), outline=WINDOW_BORDER, width=1)


def shield_outline(scale):
    """The emblem's shield as a polygon in a square of side `scale`: flat shoulders, a pointed foot."""

    def bezier(p0, p1, p2, p3, steps=24):
        for i in range(1, steps + 1):
            t = i / steps
            u = 1 - t
            yield (u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                   u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1])

    right = [(0.5, 0.05)]
    right += bezier((0.5, 0.05), (0.62, 0.05), (0.76, 0.15), (0.88, 0.16))
    right += [(0.88, 0.46)]
    right += bezier((0.88, 0.46), (0.88, 0.72), (0.70, 0.87), (0.5, 0.96))
    left = [(1 - x, y) for x, y in reversed(right[:-1])]
    return [(x * scale, y * scale) for x, y in right + left]


def emblem(px, shield_top, shield_bottom, route):
    """The product's emblem: a shield carrying a route between two nodes, px × px, transparent around it.

    Below 24 pixels the route is a straight link, which stays readable where a bend would smear.
    """
    s = Sketch((px, px))
    finer = 4  # polygons get no anti-aliasing of their own, so the shield is drawn finer still
    mask = Image.new("L", (px * SS * finer, px * SS * finer), 0)
    ImageDraw.Draw(mask).polygon(shield_outline(px * SS * finer), fill=255)
    mask = mask.resize((px * SS, px * SS), Image.Resampling.BOX)
    ramp = Image.linear_gradient("L").resize((px * SS, px * SS), Image.Resampling.BILINEAR)
    body = Image.composite(Image.new("RGBA", mask.size, shield_bottom + (255,)),
                           Image.new("RGBA", mask.size, shield_top + (255,)), ramp)
    s.big.paste(body, (0, 0), mask)
    a, b = (0.34 * px, 0.67 * px), (0.66 * px, 0.35 * px)
    if px >= 24:
        stroke, node = 0.085 * px, 0.085 * px
        path = [a, (a[0], 0.53 * px), (b[0], 0.49 * px), b]
    else:  # end nodes clearly wider than the link, so they read as nodes
        stroke, node = 1.3, 2.1
        path = [a, b]
    s.line(path, route, stroke)
    for x, y in (a, b):
        s.ellipse((x - node, y - node, x + node, y + node), fill=route)
        if px >= 48:  # large enough to show the nodes as rings
            s.ellipse((x - node * 0.45, y - node * 0.45, x + node * 0.45, y + node * 0.45), fill=shield_bottom)
    return s.finish()


def app_emblem(px):
    return emblem(px, (52, 196, 138), GREEN_DARK, WHITE)


def strip_emblem(px):
    """The emblem in white, for a place on the green strips."""
    return emblem(px, WHITE, (214, 240, 228), GREEN)


# ---------------------------------------------------------------------------------------------- backgrounds


def login_background():
    size = (380, 492)
    s = Sketch(size, WHITE)
    header = 196
    s.gradient((0, 0, 380, header + 40), STRIP_LEFT, STRIP_RIGHT, horizontal=True)
    s.glaze(lambda g: (g.ellipse((250, -70, 450, 130), fill=(255, 255, 255, 22)),
                       g.ellipse((-70, 120, 90, 280), fill=(255, 255, 255, 16))))
    s.ellipse((-80, header - 14, 460, header + 70), fill=WHITE)  # a soft curve closes the header
    s.rect((0, header + 28, 380, 492), fill=WHITE)
    s.place(strip_emblem(64), (190, 80))
    close_mark(s, 344 + 12, 16 + 8)  # 透明标签_关闭 344,16 24×16
    # 编辑框_帐号 82,246 and 编辑框_密码 82,298, 262×38 each; the outline also takes in a glyph on the left
    # and runs from the login button's left edge (35) to the pixel right after the box's right edge.
    for top in (246, 298):
        s.rect((35, top - 1, 345, top + 39), fill=WHITE, outline=CARD_BORDER, width=1, radius=5)
        s.line([(76.5, top + 10), (76.5, top + 28)], DIVIDER, 1, round_caps=False)
    account_glyph(s, 56, 265)
    lock_glyph(s, 56, 317)
    window_border(s, size)
    picture = s.finish()
    write_text(picture, 190, 140, "TrevaloIP", px=26, colour=WHITE, align="centre")
    return picture


def account_glyph(s, cx, cy):
    s.ellipse((cx - 4, cy - 8, cx + 4, cy), fill=GLYPH)
    s.pieslice((cx - 8, cy + 2, cx + 8, cy + 18), 180, 360, GLYPH)


def lock_glyph(s, cx, cy):
    s.arc((cx - 5, cy - 10, cx + 5, cy + 2), 180, 360, GLYPH, 1.8)
    s.line([(cx - 4.1, cy - 4), (cx - 4.1, cy - 1)], GLYPH, 1.8, round_caps=False)
    s.line([(cx + 4.1, cy - 4), (cx + 4.1, cy - 1)], GLYPH, 1.8, round_caps=False)
    s.rect((cx - 7, cy - 2, cx + 7, cy + 9), fill=GLYPH, radius=2)
    s.ellipse((cx - 1.5, cy + 1.5, cx + 1.5, cy + 4.5), fill=WHITE)


# MainWindow's line list (超级列表框_节点列表 19,133 517×392) and its columns: an empty 8-pixel column,
# then 省份 110, 城市 200, 运营商 110, 状态 65.
LIST_LEFT, LIST_TOP, LIST_RIGHT, LIST_BOTTOM = 19, 133, 536, 525
LIST_COLUMNS = [("省份", 110), ("城市", 200), ("运营商", 110), ("状态", 65)]
COLUMN_TEXT_INSET = 4  # where the list view starts a cell's text within its column
TICK_CAPTION_INSET = 22  # from a mark's left edge to its caption: the mark, then a small gap
RIGHT_PANEL = (560, 850)


def main_background():
    size = (862, 560)
    s = Sketch(size, BODY)
    title_strip(s, 862, 32)
    minimise_mark(s, 795 + 10.5, 3 + 13)  # 透明标签_最小化 795,3 21×24
    close_mark(s, 832 + 14, 2 + 12)  # 透明标签_关闭 832,2 28×24

    # Left card: the line-choice tool row above the line list, whose outline the card's border becomes.
    s.rect((LIST_LEFT - 1, 40, LIST_RIGHT + 1, LIST_BOTTOM + 1), fill=WHITE, outline=CARD_BORDER, radius=6)
    s.line([(LIST_LEFT + 8, 97.5), (LIST_RIGHT - 8, 97.5)], DIVIDER, 1, round_caps=False)
    s.rect((LIST_LEFT, 106, LIST_RIGHT, LIST_TOP), fill=BAND)  # header band right above the list
    s.line([(LIST_LEFT, LIST_TOP - 0.5), (LIST_RIGHT, LIST_TOP - 0.5)], CARD_BORDER, 1, round_caps=False)
    x = LIST_LEFT + 8
    for _, width in LIST_COLUMNS:
        x += width
        s.line([(x - 0.5, 112), (x - 0.5, 127)], CARD_BORDER, 1, round_caps=False)
    # Province drop-down: 透明标签_省份已选 278,64 56×16 and 透明标签_省份下拉按钮 344,63 24×17.
    s.rect((272, 60, 369, 85), fill=WHITE, outline=CARD_BORDER, radius=4)
    s.line([(341.5, 64), (341.5, 81)], DIVIDER, 1, round_caps=False)
    down_arrow(s, 344 + 12, 72.5)
    # Search: 编辑框_搜索 400,60 81×23, and the 搜索 button under 透明标签_搜索 489,58 39×24.
    s.rect((397, 58, 530, 86), fill=WHITE, outline=CARD_BORDER, radius=4)
    s.rect((487, 58, 530, 86), fill=GREEN, radius=4)
    s.rect((487, 58, 492, 86), fill=GREEN)  # square left edge where the button meets the box

    # Right column: account card, options card, protocol and connection card.
    left, right = RIGHT_PANEL
    s.rect((left, 40, right, 105), fill=WHITE, outline=CARD_BORDER, radius=6)
    s.rect((790, 48, 830, 72), fill=GREEN_TINT, outline=GREEN, radius=4)  # 透明标签_注销 790,48 40×24
    s.rect((left, 113, right, 287), fill=WHITE, outline=CARD_BORDER, radius=6)
    s.line([(left + 12, 140.5), (right - 12, 140.5)], DIVIDER, 1, round_caps=False)
    s.rect((671, 148, 705, 171), fill=WHITE, outline=CARD_BORDER, radius=3)  # 编辑框_定时重连秒数 672,149 32×21
    s.rect((729, 200, 793, 224), fill=GREEN_TINT, outline=GREEN, radius=4)  # 透明标签_恢复网卡 729,200 64×24
    s.rect((left, 295, right, 473), fill=WHITE, outline=CARD_BORDER, radius=6)
    s.line([(left + 12, 360.5), (right - 12, 360.5)], DIVIDER, 1, round_caps=False)
    section_marker(s, left + 12, 128)
    section_marker(s, left + 12, 306)

    # Status strip along the bottom edge, under 透明标签_当前线路 and 透明标签_连接状态 (top 536, height 17).
    s.rect((0, 531, 862, 560), fill=STATUS_STRIP)
    s.line([(0, 530.5), (862, 530.5)], CARD_BORDER, 1, round_caps=False)
    window_border(s, size)
    picture = s.finish()

    # Line mode: the captions sit right of the rings 图片框_动态线路 27,63 and 图片框_静态线路 126,64, inside
    # the labels 透明标签_动态线路 31,62 70×20 and 透明标签_静态线路 129,62 70×20.
    write_text(picture, 27 + TICK_CAPTION_INSET, 73, "动态线路")
    write_text(picture, 126 + TICK_CAPTION_INSET, 73, "静态线路")
    write_text(picture, 266, 72.5, "省份", align="right")
    write_text(picture, 489 + 19.5, 72, "搜索", colour=WHITE, align="centre")
    x = LIST_LEFT + 8
    for caption, width in LIST_COLUMNS:
        write_text(picture, x + COLUMN_TEXT_INSET, 119.5, caption)
        x += width

    # Account: captions end a little left of 透明标签_帐号 664,47 and 透明标签_到期时间_内容 664,74 (24 high).
    write_text(picture, 659, 47 + 12, "当前帐号:", align="right")
    write_text(picture, 659, 74 + 12, "到期时间:", align="right")
    write_text(picture, 810, 60, "注销", colour=GREEN_DARK, align="centre")

    write_text(picture, left + 20, 128, "软件设置", px=SECTION_PX, colour=GREEN_DARK)
    # Options: every caption starts right of its 20×20 tick box at x 598, centred on the box's row.
    for top, caption in ((150, "定时重连"), (177, "掉线自动重连"), (204, "异常掉线禁止网卡"),
                         (232, "连接成功后，自动最小化"), (257, "电脑开机自动开启软件")):
        write_text(picture, 598 + TICK_CAPTION_INSET, top + 10, caption)
    write_text(picture, 729 + 32, 212, "恢复网卡", colour=GREEN_DARK, align="centre")

    write_text(picture, left + 20, 306, "模式选择", px=SECTION_PX, colour=GREEN_DARK)
    # Protocols: the rings 图片框_PPTP 599,320, 图片框_L2TP 683,320 and 图片框_SSTP 763,319.
    for ring_left, caption in ((599, "PPTP"), (683, "L2TP"), (763, "SSTP")):
        write_text(picture, ring_left + TICK_CAPTION_INSET, 330, caption)

    # Connection: captions end left of the labels at x 676 (tops 382, 411, 438; 25 high).
    for top, caption in ((382, "已选线路:"), (411, "当前IP:"), (438, "归属地:")):
        write_text(picture, 671, top + 12.5, caption, colour=TEXT_MUTED, align="right")

    write_text(picture, 65, 536 + 8.5, "当前线路:", colour=TEXT_MUTED, align="right")
    write_text(picture, 280, 536 + 8.5, "状态:", colour=TEXT_MUTED, align="right")
    bar_x = 280 - font(CAPTION_PX).getlength("状态:") - 6
    write_text(picture, bar_x, 536 + 8.5, "|", colour=MARK_GREY, align="right")
    return picture


def section_marker(s, x, cy):
    s.rect((x, cy - 6, x + 3, cy + 7), fill=GREEN, radius=1.5)


def confirm_background():
    size = (323, 197)
    s = Sketch(size, WHITE)
    title_strip(s, 323, 36)
    s.place(strip_emblem(20), (20, 18))
    close_mark(s, 288 + 16, 6 + 12)  # 透明标签_关闭 288,6 32×24
    # A question mark left of the prompt label 透明标签_提示信息 55,43 200×40.
    s.ellipse((20, 49, 48, 77), fill=GREEN_TINT)
    window_border(s, size)
    picture = s.finish()
    write_text(picture, 34, 63, "?", px=18, colour=GREEN, align="centre")
    return picture


def adapter_background():
    size = (323, 197)
    s = Sketch(size, WHITE)
    title_strip(s, 323, 31)  # ends above 透明标签3 (top 31); 透明标签2 (82,12) lies on the strip
    s.place(strip_emblem(18), (18, 15))
    close_mark(s, 295 + 10, 16, half=4)  # within 透明标签_关闭 295,8 20×20, centred on the strip
    s.line([(20, 78.5), (303, 78.5)], DIVIDER, 1, round_caps=False)
    # Drop-down: 透明标签_已选网卡名称 164,90 84×16 and the arrow label 透明标签_下拉框 263,90 16×16.
    s.rect((160, 86, 284, 111), fill=WHITE, outline=CARD_BORDER, radius=4)
    s.line([(258.5, 90), (258.5, 107)], DIVIDER, 1, round_caps=False)
    down_arrow(s, 263 + 8, 98.5)
    window_border(s, size)
    return s.finish()


# ---------------------------------------------------------------------------------------------- marks


def tick():
    s = Sketch((20, 20))
    s.rect((1, 1, 19, 19), fill=WHITE, outline=GREEN, width=1.5, radius=3)
    s.line([(5.2, 10.2), (8.6, 13.6), (14.8, 6.6)], GREEN, 2.2)
    return s.finish()


def untick():
    s = Sketch((20, 20))
    s.rect((1, 1, 19, 19), fill=WHITE, outline=MARK_GREY, width=1.2, radius=3)
    return s.finish()


def ring_selected():
    s = Sketch((20, 20))
    s.ellipse((1, 1, 19, 19), fill=WHITE, outline=GREEN, width=1.5)
    s.ellipse((5.5, 5.5, 14.5, 14.5), fill=GREEN)
    return s.finish()


def ring_unselected():
    s = Sketch((20, 20))
    s.ellipse((1, 1, 19, 19), fill=WHITE, outline=MARK_GREY, width=1.2)
    return s.finish()


# ---------------------------------------------------------------------------------------------- buttons

# Each style gives, for normal / hot / disabled: gradient top, gradient bottom, border (or None), caption colour.
PRIMARY = {
    "normal": ((44, 182, 123), (29, 156, 102), None, WHITE),
    "hot": ((70, 199, 143), (47, 177, 120), None, WHITE),
    "disabled": ((203, 210, 207), (187, 195, 192), None, (247, 249, 248)),
}
SECONDARY_GREEN = {
    "normal": (WHITE, (246, 250, 248), GREEN, GREEN_DARK),
    "hot": (GREEN_TINT, (222, 242, 232), GREEN_BRIGHT, GREEN_DARK),
    "disabled": ((244, 246, 245), (238, 241, 240), (210, 217, 214), (170, 181, 177)),
}
SECONDARY_GREY = {
    "normal": (WHITE, (245, 247, 246), (196, 206, 202), TEXT),
    "hot": ((246, 250, 248), (236, 244, 240), GREEN_BRIGHT, GREEN_DARK),
    "disabled": ((244, 246, 245), (238, 241, 240), (218, 224, 221), (170, 181, 177)),
}


def button(size, caption, look, px, spacing):
    top, bottom, border, ink = look
    s = Sketch(size)
    radius = 5
    s.gradient((0, 0, size[0], size[1]), top, bottom, radius=radius)
    if border:
        s.rect((0, 0, size[0], size[1]), outline=border, width=1, radius=radius)
    picture = s.finish()
    # Captions read better spread a little, as is usual on Chinese buttons.
    face = font(px)
    width = sum(face.getlength(c) for c in caption) + spacing * (len(caption) - 1)
    x = (size[0] - width) / 2
    for c in caption:
        write_text(picture, round(x), size[1] / 2, c, px=px, colour=ink)
        x += face.getlength(c) + spacing
    return picture


BUTTONS = [
    # name, size, caption, style, caption size, spacing between characters
    ("connect", (108, 34), "连接", PRIMARY, 14, 4),
    ("disconnect", (108, 34), "断开", PRIMARY, 14, 4),
    ("switch_ip", (108, 34), "切换IP", SECONDARY_GREEN, 14, 1),
    ("login", (309, 40), "登录", PRIMARY, 16, 10),
    ("confirm", (76, 30), "确认", PRIMARY, 13, 3),
    ("ok", (76, 30), "确定", PRIMARY, 13, 3),
    ("cancel", (76, 30), "取消", SECONDARY_GREY, 13, 3),
]


def progress_bar():
    # LoginWindow's 图片框1 slides in from the left, so its right end shows first and leads.
    s = Sketch((500, 6))
    s.gradient((0, 0, 500, 6), (196, 236, 216), GREEN, horizontal=True)
    s.glaze(lambda g: g.rect((0, 0, 500, 2), fill=(255, 255, 255, 60)))
    return s.finish()


# ---------------------------------------------------------------------------------------------- icon file

ICON_SIZES = (32, 24, 20, 16)  # image 0 is the 32 × 32 one that the tray takes


def icon_image(picture):
    """One icon image as an icon file holds it: BITMAPINFOHEADER (height doubled), BGRA rows, AND mask."""
    w, h = picture.size
    pixels = picture.load()
    colour = bytearray()
    mask_stride = (w + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(h)):  # bottom-up
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = pixels[x, y]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    body = bytes(colour) + bytes(mask)
    # size 40, width, doubled height (colour rows, then mask rows), 1 plane, 32 bits, BI_RGB, image size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(body), 0, 0, 0, 0)
    return header + body


def icon_file(pictures):
    images = [icon_image(p) for p in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for picture, data in zip(pictures, images):
        w, h = picture.size
        directory += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


# ---------------------------------------------------------------------------------------------- output


def save_png(picture, name):
    if picture.getchannel("A").getextrema() == (255, 255):
        picture = picture.convert("RGB")  # backgrounds cover their window whole: no alpha channel to carry
    # No pnginfo, no dpi, no icc_profile: the file holds IHDR, IDAT and IEND only.
    picture.save(OUT / name, format="PNG", compress_level=9)


def main():
    if not os.path.exists(FONT_FILE):
        sys.exit(f"make_pictures: font {FONT_FILE} is missing (apt-get install -y fonts-wqy-microhei)")
    OUT.mkdir(parents=True, exist_ok=True)
    save_png(login_background(), "login_background.png")
    save_png(main_background(), "main_background.png")
    save_png(confirm_background(), "confirm_background.png")
    save_png(adapter_background(), "adapter_background.png")
    save_png(tick(), "tick.png")
    save_png(untick(), "untick.png")
    save_png(ring_selected(), "ring_selected.png")
    save_png(ring_unselected(), "ring_unselected.png")
    for name, size, caption, style, px, spacing in BUTTONS:
        for state, look in style.items():
            save_png(button(size, caption, look, px, spacing), f"{name}_{state}.png")
    save_png(progress_bar(), "progress_bar.png")
    (OUT / "app.ico").write_bytes(icon_file([app_emblem(px) for px in ICON_SIZES]))
    save_png(app_emblem(256), "app.png")


if __name__ == "__main__":
    main()
