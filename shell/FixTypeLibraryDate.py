"""Gives a type library from widl a fixed creation date.

widl records when it ran twice, and either would make every build of the Explorer
extension differ: as the end of the text "Created by WIDL version N at <ctime>" and
as a 32-bit time value in the custom-data entry (type VT_UI4) right after that text.
Both are replaced in place, keeping their lengths, by the time of SOURCE_DATE_EPOCH
when it is set, otherwise by the epoch itself.
"""
import os
import re
import sys
import time

VT_UI4 = b'\x13\x00'


def ctime_text(epoch):
    text = time.strftime('%a %b %d %H:%M:%S %Y', time.gmtime(epoch))
    return re.sub(r' 0(\d) ', r'  \1 ', text).encode('ascii')


def fix(data, epoch):
    pattern = re.compile(rb'Created by WIDL version [0-9.]+ at '
                         rb'([A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\d \d\d:\d\d:\d\d \d{4})\n')
    matches = list(pattern.finditer(data))
    if len(matches) != 1:
        sys.exit('FixTypeLibraryDate: no single creation date found')
    start, end = matches[0].span(1)
    data[start:end] = ctime_text(epoch)
    position = matches[0].end()
    while data[position:position + 1] == b'W':  # padding to the next four-byte boundary
        position += 1
    if data[position:position + 2] != VT_UI4:
        sys.exit('FixTypeLibraryDate: no creation time value after the creation text')
    data[position + 2:position + 6] = (epoch & 0xFFFFFFFF).to_bytes(4, 'little')


def main(path):
    with open(path, 'rb') as f:
        data = bytearray(f.read())
    fix(data, int(os.environ.get('SOURCE_DATE_EPOCH', '0')))
    with open(path, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1])
