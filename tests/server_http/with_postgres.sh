#!/bin/sh
# Inside pg_virtualenv: runs the PostgreSQL cases of the given test programs against its
# throwaway cluster.
set -e
export SCORES_TEST_POSTGRES="postgresql://$PGUSER:$PGPASSWORD@$PGHOST:$PGPORT/$PGDATABASE"
for program in "$@"; do
  "$program" --gtest_filter='*postgres*'
done
