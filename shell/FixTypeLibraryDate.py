"""Gives a type library from widl a fixed creation date.

widl writes "Created by WIDL version N at <ctime>" into the library's custom data,
which would make every build of the Explorer extension differ. The date is replaced
in place by one of the same length: the time of SOURCE_DATE_EPOCH when it is set,
otherwise the epoch itself.
"""
import os
import re
import sys
import time

path = sys.argv[1]
data = open(path, 'rb').read()
stamp = time.strftime('%a %b %d %H:%M:%S %Y', time.gmtime(int(os.environ.get('SOURCE_DATE_EPOCH', '0'))))
stamp = re.sub(r' 0(\d) ', r'  \1 ', stamp).encode('ascii')
pattern = re.compile(rb'(Created by WIDL version [0-9.]+ at )([A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\d \d\d:\d\d:\d\d \d{4})')
fixed, count = pattern.subn(lambda m: m.group(1) + stamp, data)
if count != 1:
    sys.exit('FixTypeLibraryDate: no creation date found in ' + path)
open(path, 'wb').write(fixed)
