# Shortcuts for the scripts (the scripts are the real commands).
.PHONY: test run setup package bench fuzz clean

test:
	bash scripts/test.sh

run:
	bash scripts/run.sh

setup:
	bash scripts/setup.sh

package:
	bash scripts/package.sh

bench:
	bash scripts/bench.sh

fuzz:
	bash scripts/fuzz.sh

# Build folders and the Wine template only; your diary lives elsewhere.
clean:
	rm -rf build
