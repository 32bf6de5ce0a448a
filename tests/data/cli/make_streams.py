#!/usr/bin/env python3
"""Writes the hand-made receive streams of the kestrion-cli tests with the log text each must
produce. The expected text is worked out here, independently of the program's own code."""
import struct


def frame(payload, checksum=None, tail=b"\xb0\xb3"):
    if checksum is None:
        checksum = sum(payload) & 0xFFFF
    return b"\xa0\xa2" + struct.pack(">H", len(payload)) + bytes(payload) + struct.pack(">H", checksum) + tail


def dump(title, data):
    """A fault dump: reported whenever it grows beyond 100 characters."""
    lines, text = [], title
    for byte in data:
        text += " %02X" % byte
        if len(text) > 100:
            lines.append(text)
            text = ""
    if text:
        lines.append(text)
    return "".join(line + "\n" for line in lines)


def faults():
    stream, log = b"", ""
    stream += b"\x11\x22\xa0\x55"  # noise before the first good message: silent
    stream += frame([0x0B, 0x84]); log += "Ack: MID_PollSWVersion\n"
    stream += frame([0x0B, 0x85], checksum=0)
    log += "Comm: Msg 0x0B bad chksum: 00 00\nComm: Unknown char: B0\nComm: Unknown char: B3\n"
    stream += b"\xa0\xa2\x03\xf1"; log += "Comm: Msg len > 03F0: 03 F1\n"
    stream += b"\xa0\xa0\xa2"; log += "Comm: Unknown chars: A0 A0\nComm: Unknown char: A2\n"
    stream += b"$GPGGA,1*00\r\n"; log += "$GPGGA,1*00\n"
    stream += b"A"; log += "Comm: NMEA unknown char: 41\n"
    stream += b"$GPTXT,bad checksum*FF\r\n"; log += "$GPTXT,bad checksum*FF\n"
    stream += frame([0x12, 0x01]); log += "18,1\n"  # a frame right after a sentence
    stream += frame([0x0B, 0x80], tail=b"\xb0\x00")
    log += "Ack: MID_NavigationInitialization\nComm: Msg 0x0B bad tail sync: B0 00\n"
    stream += frame([0x0B, 0x81], tail=b"\x55")
    log += "Ack: MID_SetNMEAMode\nComm: Msg 0x0B bad tail sync: 55\n"
    stream += b"$AB\x01"; log += "Comm: Unknown chars: 24 41 42 01\n"
    stream += b"$AB$"; log += "Comm: Unknown chars: 24 41 42 24\n"
    stream += b"$AB\rX"; log += "Comm: NMEA bad tail sync: 24 41 42 0D 58\n"
    # A zero length takes one byte as payload and always fails its checksum.
    stream += b"\xa0\xa2\x00\x00\x05\x00\x05\xb0\xb3"
    log += "Comm: Msg 0x05 bad chksum: 00 05\nComm: Unknown char: B0\nComm: Unknown char: B3\n"
    longest = b"$" + b"B" * 1008 + b"\r\n"
    stream += longest; log += longest[:-2].decode() + "\n"
    too_long = b"$" + b"C" * 1009
    stream += too_long; log += dump("Comm: NMEA msg len > 03F0:", too_long)
    stream += frame([0x10, 0xAB]); log += "Unk: 10AB\n"
    stream += frame([0x0A, 0x10, 0x01, 0x00, 0x01, 0, 0, 0, 250]); log += "VCO lock lost in 250 msec\n"
    payload = [0x0A, 0x00, 0x02, 0x00, 0x01, 0, 0, 0, 7]  # one word where two are wanted
    stream += frame(payload); log += "Bad parity from SV 07, subframe 0\n"
    # The sum of this payload is 70000: the checksum field carries 0x1170.
    payload = [0x10] + [0xFF] * 274 + [0x72]
    assert sum(payload) == 70000
    stream += frame(payload, checksum=0x1170)
    log += "Unk: " + "".join("%02X" % b for b in payload) + "\n"
    return stream, log


ALT_USE = ["auto", "always", "never use"]
ALT_SOURCE = ["last KF alt", "fixed", "dynamic"]
DEGRADED = ["DThenT", "TThenD", "DirOnly", "TimeOnly", "Disabled"]
ON_OFF = ["disabled", "enabled"]
DOP_MASK = ["auto", "PDOP", "HDOP", "GDOP", "disabled"]
DGPS_MODE = ["auto", "exclusive", "never use", "mixed"]
LP_STATE = ["NotAvail", "Continuous", "WakeToSync", "LullCyc"]


def word(table, index):
    return table[index] if index < len(table) else "%d" % index


def params_generation_1():
    fields = [0x13, 1, 0, 2, -120, 3, 15, 30, 1, 3, 2, 60, 75, 28, 500, 12, 5, 3, 20, 300]
    payload = struct.pack(">BBBBhBBBBBBBhBHBBBBH", *fields)
    assert len(payload) == 24
    (_, constraint, mode, source, altitude, degraded, degraded_timeout, dr_timeout, smooth, dop,
     dgps, dgps_timeout, elev, power, residual, steady, static, lp_state, duty, on_time) = fields
    text = ("Polling Navigation Parameters\nAltConstraint: %s\nAltMode: %s\nAltSource: %s\nAltitude: %d\n"
            "DegradedMode: %s\nDegradedTimeout: %d s\nDRTimeout: %d s\nTrackSmoothMode: %s\nDOPMaskMode: %s\n"
            "DGPSMode: %s\nDGPSTimeout: %d s\nElevMask:%.1f deg\nPowerMask: %d dBHz\nEditResidualThreshold: %d\n"
            "SteadyDetectThreshold: %.1f m/s^2\nStaticNavThreshold: %.1f m/s\nLP state: %s\nLP DutyCycle: %d%%\n"
            "LP OnTime: %d ms") % (
        word(ALT_USE, constraint), word(ALT_USE, mode), word(ALT_SOURCE, source), altitude,
        word(DEGRADED, degraded), degraded_timeout, dr_timeout, word(ON_OFF, smooth), word(DOP_MASK, dop),
        word(DGPS_MODE, dgps), dgps_timeout, elev * 0.1, power, residual, steady * 0.1, static * 0.1,
        word(LP_STATE, lp_state), duty, on_time)
    stream = frame(list(payload))
    log = text + "\n"
    # An index beyond its table prints the index itself.
    fields[2] = 7
    payload = struct.pack(">BBBBhBBBBBBBhBHBBBBH", *fields)
    stream += frame(list(payload))
    log += text.replace("AltMode: auto", "AltMode: 7") + "\n"
    return stream, log


def write(name, stream, log):
    with open(name + ".bin", "wb") as out:
        out.write(stream)
    with open(name + ".log", "w", newline="") as out:
        out.write(log)


if __name__ == "__main__":
    write("faults", *faults())
    stream, log = params_generation_1()
    with open("params.bin", "wb") as out:
        out.write(stream)
    with open("params-generation-1.log", "w", newline="") as out:
        out.write(log)
    with open("frame-84-00.txt", "w") as out:
        out.write("A0 A2 00 02 84 00 00 84 B0 B3\n")
    body = "PORV100,0,38400,8,1,0"
    checksum = 0
    for character in body:
        checksum ^= ord(character)
    with open("nmea-porv100.txt", "w", newline="") as out:
        out.write("\r\n$%s*%02X\r\n" % (body, checksum))


def nav_line(week, tow, x, y, z, svs):
    """A hexadecimal message line with the whole navigation block of a MID 2 record."""
    block = struct.pack("<BiiihhhBBBHIB12B", 2, x, y, z, 8, -4, 0, 4, 5, 0, week, tow, len(svs),
                        *(svs + [0] * (12 - len(svs))))
    assert len(block) == 41
    return "%X," % (len(block) - 1 + 3) + ",".join("%X" % b for b in block) + "\n"


def track_files():
    """A minute of measured navigation lines with a truth file beside them: truth every two
    seconds from the offset, so every other measured second finds its truth 1 s later."""
    week, start = 1250, 22722000
    lines = ["; one minute of navigation records, week 1250\n"]
    for second in range(60):
        lines.append(nav_line(week, start + second * 100, 4177989 + second, 855757, 4727510, [3, 6, 9, 14]))
    truth = ["; truth positions: seconds from TrueTOW\n"]
    for second in range(1, 62, 2):
        truth.append("%d,%d,855757,4727510,1,0,0\n" % (second, 4177989 + second))
    return "".join(lines), "".join(truth)


if __name__ == "__main__":
    track, truth = track_files()
    with open("track.csv", "w") as out:
        out.write(track)
    with open("track-truth.pos", "w") as out:
        out.write(truth)
