# Stand-in for /usr/bin/time -f "%e %U %S %M": runs a command and writes its figures to a file.
import resource
import subprocess
import sys
import time

start = time.monotonic()
code = subprocess.call(sys.argv[2:])
wall = time.monotonic() - start
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
with open(sys.argv[1], "w") as out:
    out.write(f"{wall:.2f} {usage.ru_utime:.2f} {usage.ru_stime:.2f} {usage.ru_maxrss}\n")
sys.exit(code)
